// The extended effect interface: the operations of opcodes 25 to 76 and the host services that
// came with them.
#pragma once

#include "effect_base.h"

class EffectExtended : public EffectBase {
public:
  using EffectBase::EffectBase;

  VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void *ptr,
                       float opt) override;

  virtual EditorBase *getEditor();
  virtual void requestEvents(VstInt32 filter);
  virtual VstTimeInfo *getTimeInfo(VstInt32 filter);
  virtual VstInt32 tempoAt(VstInt32 position);
  virtual VstInt32 processEvents(VstEvents *events);
  virtual VstInt32 getNumAutomatableParameters();
  virtual VstInt32 getParameterQuantization();
  virtual bool canBeAutomated(VstInt32 index);
  virtual bool stringToParameter(VstInt32 index, char *text);
  virtual float getChannelParameter(VstInt32 channel, VstInt32 index);
  virtual VstInt32 getNumProgramCategories();
  virtual bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char *text);
  virtual bool copyProgram(VstInt32 destination);
  virtual bool ioChanged();
  virtual bool needIdle();
  virtual bool sizeWindow(VstInt32 width, VstInt32 height);
  virtual float updateSampleRate();
  virtual VstInt32 updateBlockSize();
  virtual VstInt32 getInputLatency();
  virtual VstInt32 getOutputLatency();
  virtual AEffect *getPreviousPlug(VstInt32 input);
  virtual AEffect *getNextPlug(VstInt32 output);
  virtual void connectInput(VstInt32 index, bool state);
  virtual void connectOutput(VstInt32 index, bool state);
  virtual bool getInputProperties(VstInt32 index, VstPinProperties *properties);
  virtual bool getOutputProperties(VstInt32 index, VstPinProperties *properties);
  virtual VstInt32 getPlugCategory();
  virtual VstInt32 willReplaceOrAccumulate();
  virtual VstInt32 getCurrentProcessLevel();
  virtual VstInt32 getAutomationState();
  virtual void setIsAsync(bool state);
  virtual void setHasExternalBuffer(bool state);
  virtual VstInt32 getCurrentPosition();
  virtual float *getDestinationBuffer();
  virtual bool offlineRead(VstOfflineTask *offline, VstInt32 option, bool readSource);
  virtual bool offlineWrite(VstOfflineTask *offline, VstInt32 option);
  virtual bool offlineStart(VstAudioFile *audioFiles, VstInt32 numAudioFiles,
                            VstInt32 numNewAudioFiles);
  virtual VstInt32 offlineGetCurrentPass();
  virtual VstInt32 offlineGetCurrentMetaPass();
  virtual bool offlineNotify(VstAudioFile *audioFiles, VstInt32 numAudioFiles, bool start);
  virtual bool offlinePrepare(VstOfflineTask *offline, VstInt32 count);
  virtual bool offlineRun(VstOfflineTask *offline, VstInt32 count);
  virtual void setOutputSampleRate(float rate);
  virtual VstSpeakerArrangement *getInputSpeakerArrangement();
  virtual VstSpeakerArrangement *getOutputSpeakerArrangement();
  virtual bool getHostVendorString(char *text);
  virtual bool getHostProductString(char *text);
  virtual VstInt32 getHostVendorVersion();
  virtual VstIntPtr hostVendorSpecific(VstInt32 index, VstIntPtr value, void *ptr, float opt);
  virtual VstInt32 canHostDo(char *text);
  virtual void setIsSynth(bool state);
  virtual void setNoTail(bool state);
  virtual VstInt32 getHostLanguage();
  virtual void *openWindow(VstWindow *window);
  virtual bool closeWindow(VstWindow *window);
  virtual void *getDirectory();
  virtual bool updateDisplay();
  virtual bool processVariableIo(VstVariableIo *varIo);
  virtual bool setSpeakerArrangement(VstSpeakerArrangement *inputs, VstSpeakerArrangement *outputs);
  virtual bool getSpeakerArrangement(VstSpeakerArrangement **inputs,
                                     VstSpeakerArrangement **outputs);
  virtual void setBlockSizeAndSampleRate(VstInt32 size, float rate);
  virtual bool setBypass(bool onOff);
  virtual bool getEffectName(char *name);
  virtual bool getErrorText(char *text);
  virtual bool getVendorString(char *text);
  virtual bool getProductString(char *text);
  virtual VstInt32 getVendorVersion();
  virtual VstIntPtr vendorSpecific(VstInt32 index, VstIntPtr value, void *ptr, float opt);
  virtual VstInt32 canDo(char *text);
  virtual void *getIcon();
  virtual bool setViewPosition(VstInt32 x, VstInt32 y);
  virtual VstInt32 getTailSize();
  virtual VstInt32 effectIdle();
  virtual bool getParameterProperties(VstInt32 index, VstParameterProperties *properties);
  virtual bool keysRequired();
  virtual VstInt32 getVstVersion();
  virtual VstInt32 getMidiProgramName(VstInt32 channel, MidiProgramName *name);
  virtual VstInt32 getCurrentMidiProgram(VstInt32 channel, MidiProgramName *current);
  virtual VstInt32 getMidiProgramCategory(VstInt32 channel, MidiProgramCategory *category);
  virtual bool hasMidiProgramsChanged(VstInt32 channel);
  virtual bool getMidiKeyName(VstInt32 channel, MidiKeyName *keyName);
  virtual bool beginSetProgram();
  virtual bool endSetProgram();
  virtual bool beginEdit(VstInt32 index);
  virtual bool endEdit(VstInt32 index);
  virtual bool openFileSelector(VstFileSelect *select);
  virtual VstInt32 setTotalSampleToProcess(VstInt32 value);
  virtual VstInt32 getNextShellPlugin(char *name);
  virtual VstInt32 startProcess();
  virtual VstInt32 stopProcess();
  virtual bool setPanLaw(VstInt32 type, float value);
  virtual VstInt32 beginLoadBank(VstPatchChunkInfo *info);
  virtual VstInt32 beginLoadProgram(VstPatchChunkInfo *info);
  virtual bool createArrangement(VstSpeakerArrangement **arrangement, VstInt32 channels);
  virtual bool releaseArrangement(VstSpeakerArrangement **arrangement);
  virtual bool copySpeakerEntry(VstSpeakerProperties *to, VstSpeakerProperties *from);
  virtual bool copyArrangement(VstSpeakerArrangement **to, VstSpeakerArrangement *from);

  bool sendEventsToHost(VstEvents *events);
  bool closeFileSelector(VstFileSelect *select);
  bool getChunkFile(void *nativePath);
};

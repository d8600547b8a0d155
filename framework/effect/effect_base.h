// The effect object a host drives through its AEffect record: fields, virtual operations with
// their default bodies, and the record functions that route host calls to them.
#pragma once

#include "plugin_interface.h"

class EditorBase;

class EffectBase {
public:
  EffectBase(audioMasterCallback host, VstInt32 programCount, VstInt32 paramCount);
  virtual ~EffectBase();

  EffectBase(const EffectBase &) = delete;
  EffectBase &operator=(const EffectBase &) = delete;

  virtual void setParameter(VstInt32 index, float value);
  virtual float getParameter(VstInt32 index);
  virtual void setParameterAndAutomate(VstInt32 index, float value);
  virtual void process(float **inputs, float **outputs, VstInt32 sampleFrames) = 0;
  virtual void processReplacing(float **inputs, float **outputs, VstInt32 sampleFrames);
  virtual VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void *ptr,
                               float opt);
  virtual void open();
  virtual void close();
  virtual VstInt32 getProgram();
  virtual void setProgram(VstInt32 program);
  virtual void setProgramName(char *name);
  virtual void getProgramName(char *name);
  virtual void getParamLabel(VstInt32 index, char *label);
  virtual void getParamDisplay(VstInt32 index, char *text);
  virtual void getParamName(VstInt32 index, char *text);
  virtual float getVu();
  virtual VstInt32 getChunk(void **data, bool isPreset);
  virtual VstInt32 setChunk(void *data, VstInt32 byteSize, bool isPreset);
  virtual void setSampleRate(float rate);
  virtual void setBlockSize(VstInt32 size);
  virtual void suspend();
  virtual void resume();
  virtual void setUniqueID(VstInt32 id);
  virtual void setNumInputs(VstInt32 inputs);
  virtual void setNumOutputs(VstInt32 outputs);
  virtual void setHasVu(bool state);
  virtual void setHasClip(bool state);
  virtual void setCanMono(bool state);
  virtual void setCanReplacing(bool state);
  virtual void setProgramsAreChunks(bool state);
  virtual void setRealQualities(VstInt32 qualities);
  virtual void setOffQualities(VstInt32 qualities);
  virtual void setInitialDelay(VstInt32 delay);
  virtual float getSampleRate();
  virtual VstInt32 getBlockSize();
  virtual VstInt32 getMasterVersion();
  virtual VstInt32 getCurrentUniqueId();
  virtual void masterIdle();
  virtual bool isInputConnected(VstInt32 input);
  virtual bool isOutputConnected(VstInt32 output);
  virtual void decibelsToText(float gain, char *text);
  virtual void hertzToText(float samples, char *text);
  virtual void millisecondsToText(float samples, char *text);
  virtual void floatToText(float value, char *text);
  virtual void longToText(VstInt32 value, char *text);

  void setEditor(EditorBase *newEditor);
  EditorBase *editorPointer() const { return editor; }
  AEffect *getAeffect() { return &effectRecord; }

  // The instance behind a record; null for a null record.
  static EffectBase *fromRecord(AEffect *record);

protected:
  void setFlag(VstInt32 flag, bool state);
  bool hasFlag(VstInt32 flag) const { return (effectRecord.flags & flag) != 0; }
  // Calls the host with this effect's record; 0 without a host callback.
  VstIntPtr callHost(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void *ptr = nullptr,
                     float opt = 0.0f);

  float sampleRate;
  EditorBase *editor;
  audioMasterCallback hostCallback;
  VstInt32 numPrograms;
  VstInt32 numParams;
  VstInt32 curProgram;
  VstInt32 blockSize;
  AEffect effectRecord;
};

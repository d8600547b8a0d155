// The byte format of a host session: a sequence of steps, each a host call with its arguments.
// The fuzz targets decode it (host_session.h); HostScript writes it, for the seed corpus.
#pragma once

#include <cstdint>
#include <vector>

#include "effect/plugin_interface.h"

namespace host_script {

// One step is a tag byte (taken modulo `count`) and its arguments.
enum class Step : std::uint8_t {
  dispatch,         // opcode byte, index, value, pointer, opt
  setParameter,     // index, float
  getParameter,     // index
  processReplacing, // frames, layout, left signal, right signal
  process,          // as processReplacing, through the accumulating entry
  setProgram,       // value
  setSampleRate,    // float
  setBlockSize,     // value
  mainsChanged,     // value
  count
};

// Opcodes -5..80: every opcode the interface has and some on either side.
constexpr int kFirstOpcode = -5;
constexpr int kOpcodeSpan = 86;

// Integers: a form byte, then a signed byte, an index into the edge values, or raw bytes (4 for
// an index, 8 for a value).
enum class IntForm : std::uint8_t { small, edge, raw, count };
// Floats: a form byte, then an index into the edge values, a byte b for b / 254 (0.5 at 127),
// the raw bits, or a 16-bit whole number times 16 (sample rates).
enum class FloatForm : std::uint8_t { edge, unit, raw, whole, count };

// A pointer argument: a choice byte, even for a buffer or record the host owns, odd for null.
// Texts the host passes in follow as a length byte (modulo kMaxTextIn + 1) and that many bytes;
// arrangements as a channel count byte (modulo kMaxSpeakers + 1); chunks as a 16-bit length
// (modulo kMaxChunk + 1).
constexpr int kMaxTextIn = 47;
constexpr int kMaxSpeakers = 8;
constexpr int kMaxChunk = 1024;

// Processing: frames as 16 bits modulo the announced block size + 1, then how the buffers lie.
enum class Layout : std::uint8_t { separate, inPlace, swapped, count };
// A channel's signal: a kind byte and its arguments, then a byte n and n % 4 hostile samples,
// each a 16-bit position (modulo the frames) and a float.
enum class Signal : std::uint8_t {
  silence,
  constant, // float
  sine,     // float amplitude, byte half period
  noise,    // float amplitude, 32-bit seed
  raw,      // a count byte (modulo kRawSamples + 1), that many raw floats, repeated over the block
  count
};
constexpr int kRawSamples = 64;
// After the left channel's signal: an even byte gives the right channel the same signal.

// Writes scripts in this format.
class HostScript {
public:
  HostScript &dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, float opt = 0.0f);
  // Opcodes that take a buffer, record or text from the host get one; `text` is what the host
  // passes in where it passes a text.
  HostScript &dispatchWith(VstInt32 opcode, VstInt32 index, VstIntPtr value, float opt,
                           const char *text = "");
  HostScript &setParameter(VstInt32 index, float value);
  HostScript &getParameter(VstInt32 index);
  HostScript &setProgram(VstIntPtr program);
  HostScript &setSampleRate(float rate);
  HostScript &setBlockSize(VstIntPtr frames);
  HostScript &mainsChanged(VstIntPtr on);

  struct Channel {
    Signal kind = Signal::silence;
    float amplitude = 0.0f;
    std::uint32_t detail = 0; // half period for sine, seed for noise
    std::vector<float> raw;
    std::vector<std::pair<std::uint16_t, float>> hostile;
  };
  HostScript &processReplacing(std::uint16_t frames, const Channel &left, const Channel &right,
                               Layout layout = Layout::separate);
  HostScript &process(std::uint16_t frames, const Channel &left, const Channel &right);

  const std::vector<std::uint8_t> &bytes() const { return out; }

private:
  void step(Step s) { out.push_back(static_cast<std::uint8_t>(s)); }
  void int32(VstInt32 value);
  void intptr(VstIntPtr value);
  void real(float value);
  void raw(std::uint64_t value, int bytes);
  void pointerFor(VstInt32 opcode, const char *text);
  void channel(const Channel &c);
  void block(Step s, std::uint16_t frames, const Channel &left, const Channel &right,
             Layout layout);

  std::vector<std::uint8_t> out;
};

} // namespace host_script

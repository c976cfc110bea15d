#include "midi/channel_state.h"

#include "midi/midi_codes.h"

namespace {

constexpr int kCcDataEntryLsb = 38;
constexpr int kCcDataIncrement = 96;
constexpr int kCcDataDecrement = 97;
constexpr int kCcFirstModeMessage = 120;  // 120..127 act, they set nothing
constexpr int kCcSustain = 64;
constexpr int kCcSoftPedal = 67;
constexpr int kChannelPressure = 0xD0;
constexpr int kBendCentre = 8192;

// Controllers whose value is not a setting of the channel but an action or
// a pointer: data entry, parameter selection and the channel mode messages.
bool IsKeptControl(int number) {
  return number != kCcDataEntry && number != kCcDataEntryLsb && number != kCcDataIncrement &&
         number != kCcDataDecrement && (number < kCcNrpnLsb || number > kCcRpnMsb) &&
         number < kCcFirstModeMessage;
}

uint32_t Control(int ch, int number, int value) { return PackShortMsg(kControlChange + ch, number, value); }

}  // namespace

void ChannelState::Channel::Forget() {
  touched = false;
  program = bend = pressure = kUnknown;
  selected_msb = selected_lsb = kUnknown;
  selected_nrpn = false;
  control.fill(kUnknown);
  rpn.fill(kUnknown);
  nrpn.fill(kUnknown);
}

void ChannelState::Clear() {
  for (Channel& c : m_Channel) c.Forget();
}

void ChannelState::Apply(uint32_t packed) {
  const int status = static_cast<int>(packed & 0xFF);
  if (status < kNoteOff || status >= 0xF0) return;
  const int kind = status & 0xF0;
  const int d1 = static_cast<int>((packed >> 8) & 0x7F);
  const int d2 = static_cast<int>((packed >> 16) & 0x7F);
  Channel& c = m_Channel[status & 0x0F];
  switch (kind) {
    case kControlChange:
      c.touched = true;
      ApplyControl(c, d1, d2);
      break;
    case kProgramChange:
      c.touched = true;
      c.program = static_cast<int16_t>(d1);
      break;
    case kPitchBend:
      c.touched = true;
      c.bend = static_cast<int16_t>(d1 | d2 << 7);
      break;
    case kChannelPressure:
      c.touched = true;
      c.pressure = static_cast<int16_t>(d1);
      break;
    default:
      break;  // notes and key pressure leave the set-up as it is
  }
}

void ChannelState::ApplyControl(Channel& c, int number, int value) {
  switch (number) {
    case kCcRpnMsb:
    case kCcRpnLsb:
      if (c.selected_nrpn) c.selected_msb = c.selected_lsb = kUnknown;
      c.selected_nrpn = false;
      (number == kCcRpnMsb ? c.selected_msb : c.selected_lsb) = static_cast<int16_t>(value);
      return;
    case kCcNrpnMsb:
    case kCcNrpnLsb:
      if (!c.selected_nrpn) c.selected_msb = c.selected_lsb = kUnknown;
      c.selected_nrpn = true;
      (number == kCcNrpnMsb ? c.selected_msb : c.selected_lsb) = static_cast<int16_t>(value);
      return;
    case kCcDataEntry:
      DataEntry(c, value);
      return;
    case kCcResetAllControllers:
      // What a General MIDI synthesizer resets; volume, pan, the effect sends,
      // the bank and the program stay.
      c.control[kCcModulation] = 0;
      c.control[kCcExpression] = kMaxDataValue;
      for (int n = kCcSustain; n <= kCcSoftPedal; ++n) c.control[n] = 0;
      c.selected_msb = c.selected_lsb = kParameterNull;
      c.selected_nrpn = false;
      c.bend = kBendCentre;
      c.pressure = 0;
      return;
    default:
      if (IsKeptControl(number)) c.control[number] = static_cast<int16_t>(value);
      return;
  }
}

void ChannelState::DataEntry(Channel& c, int value) {
  if (c.selected_msb == kUnknown || c.selected_lsb == kUnknown) return;
  if (!c.selected_nrpn && c.selected_msb == 0 && c.selected_lsb < kRpnTracked) {
    c.rpn[c.selected_lsb] = static_cast<int16_t>(value);
  } else if (c.selected_nrpn && c.selected_msb == kNrpnVibratoMsb) {
    c.nrpn[c.selected_lsb] = static_cast<int16_t>(value);
  }
}

void ChannelState::Emit(const Sink& sink) const {
  for (int ch = 0; ch < kMidiChannelCount; ++ch) {
    if (m_Channel[ch].touched) EmitChannel(m_Channel[ch], ch, sink);
  }
}

void ChannelState::EmitChannel(const Channel& c, int ch, const Sink& sink) {
  // From a known start: whatever the synthesizer held before is reset, then
  // every known value is set again.
  sink(Control(ch, kCcResetAllControllers, 0));
  for (int bank : {kCcBankMsb, kCcBankLsb}) {
    if (c.control[bank] != kUnknown) sink(Control(ch, bank, c.control[bank]));
  }
  if (c.program != kUnknown) sink(PackShortMsg(kProgramChange + ch, c.program, 0));
  for (int n = 0; n < 128; ++n) {
    if (n == kCcBankMsb || n == kCcBankLsb || c.control[n] == kUnknown) continue;
    sink(Control(ch, n, c.control[n]));
  }
  bool parameters = false;
  for (int p = 0; p < kRpnTracked; ++p) {
    if (c.rpn[p] == kUnknown) continue;
    sink(Control(ch, kCcRpnMsb, 0));
    sink(Control(ch, kCcRpnLsb, p));
    sink(Control(ch, kCcDataEntry, c.rpn[p]));
    parameters = true;
  }
  for (int p = 0; p < kNrpnTracked; ++p) {
    if (c.nrpn[p] == kUnknown) continue;
    sink(Control(ch, kCcNrpnMsb, kNrpnVibratoMsb));
    sink(Control(ch, kCcNrpnLsb, p));
    sink(Control(ch, kCcDataEntry, c.nrpn[p]));
    parameters = true;
  }
  // The parameter selected last, so that a later data entry lands where it did.
  if (c.selected_msb != kUnknown && c.selected_lsb != kUnknown) {
    const bool null = c.selected_msb == kParameterNull && c.selected_lsb == kParameterNull;
    if (null && parameters) {
      sink(Control(ch, kCcNrpnMsb, kParameterNull));
      sink(Control(ch, kCcNrpnLsb, kParameterNull));
    }
    if (!null || parameters) {
      sink(Control(ch, c.selected_nrpn ? kCcNrpnMsb : kCcRpnMsb, c.selected_msb));
      sink(Control(ch, c.selected_nrpn ? kCcNrpnLsb : kCcRpnLsb, c.selected_lsb));
    }
  }
  if (c.bend != kUnknown) sink(PackShortMsg(kPitchBend + ch, c.bend & 0x7F, c.bend >> 7));
  if (c.pressure != kUnknown) sink(PackShortMsg(kChannelPressure + ch, c.pressure, 0));
}

// What the sixteen channels have been told so far, followed message by
// message: banks, programs, controllers, the registered and vibrato
// parameters, pitch bend. It can be sent again as one burst, so that another
// synthesizer (or the same one later) is left in the same set-up.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

class ChannelState {
 public:
  // Receives each message of a burst, packed as status | data1 << 8 | data2 << 16.
  using Sink = std::function<void(uint32_t packed)>;

  // Follows one short message; notes and system messages change nothing.
  void Apply(uint32_t packed);
  // Sends the set-up of every channel that has been told anything: a reset of
  // its controllers, then the known bank, program, controllers, parameters,
  // the parameter left selected and the pitch bend.
  void Emit(const Sink& sink) const;
  // Nothing known: a synthesizer just switched on.
  void Clear();

 private:
  static constexpr int kUnknown = -1;
  static constexpr int kRpnTracked = 8;  // registered parameters 0/0..0/7
  static constexpr int kNrpnTracked = 128;  // non-registered parameters 1/0..1/127

  struct Channel {
    bool touched = false;
    int16_t program = kUnknown;
    int16_t bend = kUnknown;  // 14-bit, 8192 the centre
    int16_t pressure = kUnknown;
    int16_t selected_msb = kUnknown;  // the parameter data entry writes to
    int16_t selected_lsb = kUnknown;
    bool selected_nrpn = false;
    std::array<int16_t, 128> control;
    std::array<int16_t, kRpnTracked> rpn;
    std::array<int16_t, kNrpnTracked> nrpn;
    Channel() { Forget(); }
    void Forget();
  };

  void ApplyControl(Channel& c, int number, int value);
  void DataEntry(Channel& c, int value);
  static void EmitChannel(const Channel& c, int ch, const Sink& sink);

  std::array<Channel, 16> m_Channel;
};

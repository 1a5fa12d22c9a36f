#pragma once
// What the control channel asks of the live traffic when RealTraffic goes
// away: the live traffic implements it, the control channel only calls it.
namespace tfx {

class LiveTrafficControl {
 public:
  virtual ~LiveTrafficControl() = default;
  // Removes every live aircraft that is active in the simulator and marks
  // those still waiting for their creation.
  virtual void removeActiveFromSim() = 0;
  // Erases the records that are done with.
  virtual void tidyLiveList() = 0;
};

}  // namespace tfx

#pragma once
// The program listens on the fixed feed ports (UDP 49004 and 49005), so only
// one test program session may run in one network at a time, whichever
// checkout or ctest run it belongs to; sessions in private networks do not
// wait for each other. Held for the lifetime of the object.
namespace tfx::test {

class FeedPortsLock {
 public:
  FeedPortsLock();
  ~FeedPortsLock();
  FeedPortsLock(const FeedPortsLock&) = delete;
  FeedPortsLock& operator=(const FeedPortsLock&) = delete;

 private:
  int fd_ = -1;
};

}  // namespace tfx::test

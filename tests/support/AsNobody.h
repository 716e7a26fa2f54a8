#pragma once

#include <sys/types.h>
#include <unistd.h>

namespace vtl::test {

// Root may write anywhere, so permission tests that run as root take the
// effective user id of "nobody" for their critical call, and give it back.
// Does nothing for an ordinary user.
class AsNobody {
  public:
    AsNobody() {
        if (geteuid() == 0) {
            dropped_ = seteuid(kNobody) == 0;
            ok_ = dropped_;
        }
    }
    ~AsNobody() {
        if (dropped_) {
            [[maybe_unused]] const int restored = seteuid(0);
        }
    }
    AsNobody(const AsNobody&) = delete;
    AsNobody& operator=(const AsNobody&) = delete;

    // False when running as root and the switch failed.
    bool ok() const { return ok_; }

  private:
    static constexpr uid_t kNobody = 65534;
    bool ok_ = true;
    bool dropped_ = false;
};

}  // namespace vtl::test

#pragma once

#include <sys/types.h>
#include <unistd.h>

namespace vtl::test {

// Root may write anywhere, so permission tests that run as root become the
// user "nobody" for their critical call, and then root again. The real user
// changes too, since Qt asks access(), which goes by it; root stays the saved
// user so that it can come back. Does nothing for an ordinary user. This is
// the tests' one way of dropping root.
class AsNobody {
  public:
    AsNobody() {
        if (geteuid() == 0) {
            dropped_ = setresuid(kNobody, kNobody, 0) == 0;
            ok_ = dropped_;
        }
    }
    ~AsNobody() {
        if (dropped_) {
            [[maybe_unused]] const int restored = setresuid(0, 0, 0);
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

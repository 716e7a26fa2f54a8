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
    AsNobody() : dropped_(geteuid() == 0 && setresuid(kNobody, kNobody, 0) == 0) {}
    ~AsNobody() {
        if (dropped_) {
            [[maybe_unused]] const int restored = setresuid(0, 0, 0);
        }
    }
    AsNobody(const AsNobody&) = delete;
    AsNobody& operator=(const AsNobody&) = delete;

    // False while the process is still root: the switch failed.
    bool ok() const { return geteuid() != 0; }

  private:
    static constexpr uid_t kNobody = 65534;
    const bool dropped_;
};

}  // namespace vtl::test

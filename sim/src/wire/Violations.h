// Protocol violations by the host, collected so that tests can assert there were none.
#pragma once

#include <mutex>
#include <string>
#include <vector>

namespace pvsim {

class Violations {
public:
    void report(const std::string& what);
    std::vector<std::string> list() const;
    void clear();
    // While the camera's own output is being dropped on purpose, the host's reactions are expected.
    void setMuted(bool muted);

private:
    mutable std::mutex lock_;
    std::vector<std::string> items_;
    bool muted_ = false;
};

}  // namespace pvsim

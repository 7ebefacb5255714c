#pragma once

#include <string>

namespace kf::swf {

// Where getURL and fscommand go: the host opens pages or forwards commands to its container.
// Strings are the movie's bytes (UTF-8 from SWF 6 on).
class Navigator {
public:
    virtual ~Navigator() = default;
    virtual void getUrl(const std::string& url, const std::string& target) = 0;
    // getURL("FSCommand:name", args) is how SWF 3 movies talk to their container.
    virtual void fsCommand(const std::string& command, const std::string& arguments) = 0;
};

} // namespace kf::swf

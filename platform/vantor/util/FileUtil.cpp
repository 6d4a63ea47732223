#include "vantor/util/FileUtil.h"
#include "vantor/util/StrUtil.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Vantor {

std::string FileUtil::GetExt(const std::string& path)
{
    const auto slash = path.find_last_of("/\\");
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::string();
    return StrUtil::ToLower(path.substr(dot + 1));
}

namespace {

// Why a file of this kind and size is not read; "" when it is a regular file within the bound.
std::string refusal(const struct stat& st, std::size_t maxBytes)
{
    if (!S_ISREG(st.st_mode))
        return "not a regular file";
    if (static_cast<unsigned long long>(st.st_size) > maxBytes)
        return std::to_string(st.st_size) + " bytes, more than the " + std::to_string(maxBytes) + " such a file may hold";
    return std::string();
}

} // namespace

bool FileUtil::IsRegularFileWithin(const std::string& path, std::size_t maxBytes, std::string& error)
{
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        error = std::strerror(errno);
        return false;
    }
    error = refusal(st, maxBytes);
    return error.empty();
}

bool FileUtil::ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& out, std::string& error)
{
    // Not blocking: opening a pipe for reading would otherwise wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !(error = refusal(st, maxBytes)).empty()) {
        if (error.empty())
            error = std::strerror(errno);
        ::close(fd);
        return false;
    }
    std::string text;
    text.resize(static_cast<std::size_t>(st.st_size));
    std::size_t done = 0;
    // A file that grows while it is read is cut at its size when opened, bound included.
    while (done < text.size()) {
        const ssize_t n = ::read(fd, &text[done], text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = std::strerror(errno);
            ::close(fd);
            return false;
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    text.resize(done);
    out.swap(text);
    error.clear();
    return true;
}

} // namespace Vantor

#include "app/CrashHandler.h"

#include "vantor/dazoreader/DazoArchiveLayout.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include <execinfo.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/types.h>
#include <ucontext.h>
#include <unistd.h>

extern char** environ;

namespace {

// Everything the handler needs is prepared at install time: inside the handler only
// async-signal-safe calls are allowed (no malloc, no Qt, no stdio, no localtime).
constexpr std::size_t kPathSize = 4096;
char g_program[kPathSize];
char g_dumpDir[kPathSize];
char g_messageProgram[kPathSize];
bool g_showMessage = true;
long g_utcOffset = 0; // seconds east of UTC at install time

constexpr std::size_t kAltStackSize = 128 * 1024;
alignas(16) char g_altStack[kAltStackSize];

std::atomic<long> g_handlingThread{0};

const int kSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};

const char* signalName(int sig)
{
    switch (sig) {
    case SIGSEGV: return "SIGSEGV";
    case SIGBUS: return "SIGBUS";
    case SIGFPE: return "SIGFPE";
    case SIGILL: return "SIGILL";
    case SIGABRT: return "SIGABRT";
    default: return "signal";
    }
}

// Fixed-size text buffer that writes itself to a file descriptor; no allocation.
class Out
{
public:
    explicit Out(int fd) : m_fd(fd) {}
    ~Out() { flush(); }

    Out& str(const char* s)
    {
        while (*s)
            put(*s++);
        return *this;
    }
    Out& dec(long long v)
    {
        char tmp[24];
        int n = 0;
        unsigned long long u = v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
        do {
            tmp[n++] = static_cast<char>('0' + u % 10);
            u /= 10;
        } while (u);
        if (v < 0)
            put('-');
        while (n)
            put(tmp[--n]);
        return *this;
    }
    Out& dec2(int v) // two digits, zero padded
    {
        put(static_cast<char>('0' + (v / 10) % 10));
        put(static_cast<char>('0' + v % 10));
        return *this;
    }
    Out& hex(unsigned long long v, int width)
    {
        char tmp[17];
        int n = 0;
        do {
            tmp[n++] = "0123456789abcdef"[v & 0xf];
            v >>= 4;
        } while (v && n < 16);
        for (int i = n; i < width; ++i)
            put('0');
        while (n)
            put(tmp[--n]);
        return *this;
    }
    void flush()
    {
        std::size_t done = 0;
        while (m_fd >= 0 && done < m_len) {
            const ssize_t w = ::write(m_fd, m_buf + done, m_len - done);
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0)
                break;
            done += static_cast<std::size_t>(w);
        }
        m_len = 0;
    }

private:
    void put(char c)
    {
        if (m_len == sizeof(m_buf))
            flush();
        m_buf[m_len++] = c;
    }
    int m_fd;
    char m_buf[512];
    std::size_t m_len = 0;
};

// Writes a NUL-terminated text into a fixed char array; returns false when it does not fit.
struct Text
{
    char* buf;
    std::size_t size;
    std::size_t len = 0;
    bool ok = true;
    void add(const char* s)
    {
        while (*s) {
            if (len + 1 >= size) {
                ok = false;
                break;
            }
            buf[len++] = *s++;
        }
        buf[len] = '\0';
    }
    void addHex(unsigned long long v, int width)
    {
        char tmp[17];
        int n = 0;
        do {
            tmp[n++] = "0123456789abcdef"[v & 0xf];
            v >>= 4;
        } while (v && n < 16);
        char out[40];
        int k = 0;
        for (int i = n; i < width; ++i)
            out[k++] = '0';
        while (n)
            out[k++] = tmp[--n];
        out[k] = '\0';
        add(out);
    }
    void addDec(int v, int width)
    {
        char out[16];
        int k = 0;
        char tmp[12];
        int n = 0;
        unsigned u = static_cast<unsigned>(v < 0 ? 0 : v);
        do {
            tmp[n++] = static_cast<char>('0' + u % 10);
            u /= 10;
        } while (u);
        for (int i = n; i < width; ++i)
            out[k++] = '0';
        while (n)
            out[k++] = tmp[--n];
        out[k] = '\0';
        add(out);
    }
};

struct CivilTime
{
    int year, month, day, hour, minute, second;
};

// Local civil time from seconds since the epoch, using the offset cached at install
// (localtime is not async-signal-safe).
CivilTime civilTime(long long epochSeconds)
{
    long long t = epochSeconds + g_utcOffset;
    long long days = t / 86400;
    long long secs = t % 86400;
    if (secs < 0) {
        secs += 86400;
        --days;
    }
    // Days to civil date (proleptic Gregorian).
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long doe = days - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    CivilTime c;
    c.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    c.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    c.year = static_cast<int>(yoe + era * 400 + (c.month <= 2 ? 1 : 0));
    c.hour = static_cast<int>(secs / 3600);
    c.minute = static_cast<int>((secs / 60) % 60);
    c.second = static_cast<int>(secs % 60);
    return c;
}

unsigned long long instructionAddress(const siginfo_t* info, void* context)
{
    const auto* uc = static_cast<const ucontext_t*>(context);
    if (uc) {
#if defined(__x86_64__)
        return static_cast<unsigned long long>(uc->uc_mcontext.gregs[REG_RIP]);
#elif defined(__i386__)
        return static_cast<unsigned long long>(uc->uc_mcontext.gregs[REG_EIP]);
#elif defined(__aarch64__)
        return static_cast<unsigned long long>(uc->uc_mcontext.pc);
#endif
    }
    return reinterpret_cast<unsigned long long>(info ? info->si_addr : nullptr);
}

// Restores the default action and raises the signal again, so the exit status shows the crash.
[[noreturn]] void dieOf(int sig)
{
    struct sigaction sa;
    std::memset(&sa, 0, sizeof sa);
    sa.sa_handler = SIG_DFL;
    sigemptyset(&sa.sa_mask);
    sigaction(sig, &sa, nullptr);
    sigset_t unblock;
    sigemptyset(&unblock);
    sigaddset(&unblock, sig);
    sigprocmask(SIG_UNBLOCK, &unblock, nullptr);
    raise(sig);
    _exit(128 + sig);
}

void copyFile(const char* path, int toFd)
{
    const int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    char buf[4096];
    for (;;) {
        const ssize_t n = read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        ssize_t done = 0;
        while (done < n) {
            const ssize_t w = write(toFd, buf + done, static_cast<std::size_t>(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0) {
                close(fd);
                return;
            }
            done += w;
        }
    }
    close(fd);
}

void writeDump(int sig, const siginfo_t* info, std::uint32_t code, unsigned long long address,
               long long now, const CivilTime& ct)
{
    if (!g_dumpDir[0])
        return;
    mkdir(g_dumpDir, 0755); // recreate it if someone removed it since start-up

    char path[kPathSize + 32];
    Text p{path, sizeof path};
    p.add(g_dumpDir);
    p.add("/");
    p.addDec(ct.year, 4);
    p.addDec(ct.month, 2);
    p.addDec(ct.day, 2);
    p.add("-");
    p.addDec(ct.hour, 2);
    p.addDec(ct.minute, 2);
    p.addDec(ct.second, 2);
    p.add(".dmp");
    if (!p.ok)
        return;

    const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    {
        Out out(fd);
        out.str("Nerio3d crash dump\n");
        out.str("Program: ").str(g_program).str("\n");
        out.str("Time: ").dec(ct.year).str("-").dec2(ct.month).str("-").dec2(ct.day).str(" ");
        out.dec2(ct.hour).str(":").dec2(ct.minute).str(":").dec2(ct.second);
        out.str(" (epoch ").dec(now).str(")\n");
        out.str("Process: ").dec(getpid()).str("  Thread: ").dec(syscall(SYS_gettid)).str("\n");
        out.str("Signal: ").str(signalName(sig)).str(" (").dec(sig).str(")  si_code: ");
        out.dec(info ? info->si_code : 0).str("\n");
        out.str("Code: ").hex(code, 8).str("\n");
        out.str("Address: ").hex(address, 2 * sizeof(void*)).str("\n");
        out.str("Fault address: ");
        out.hex(reinterpret_cast<unsigned long long>(info ? info->si_addr : nullptr), 2 * sizeof(void*)).str("\n");
        out.str("\nBacktrace:\n");
    }
    void* frames[128];
    const int n = backtrace(frames, 128);
    backtrace_symbols_fd(frames, n, fd);
    {
        Out out(fd);
        out.str("\nMemory map:\n");
    }
    copyFile("/proc/self/maps", fd);
    fsync(fd);
    close(fd);
}

void startMessage(std::uint32_t code, unsigned long long address)
{
    if (!g_showMessage || !g_messageProgram[0] || access(g_messageProgram, X_OK) != 0)
        return;
    char codeText[24];
    Text c{codeText, sizeof codeText};
    c.addHex(code, 8);
    char addressText[40];
    Text a{addressText, sizeof addressText};
    a.addHex(address, 2 * sizeof(void*));
    char* argv[] = {g_messageProgram, codeText, addressText, nullptr};

    // A raw clone instead of fork(): fork runs the atfork handlers and takes malloc's locks,
    // which may be held by the very code that crashed.
    const long pid = syscall(SYS_clone, SIGCHLD, 0, 0, 0, 0);
    if (pid == 0) {
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr); // execve keeps the mask; the message must not inherit it
        execve(g_messageProgram, argv, environ);
        _exit(127);
    }
    // The message outlives us; we do not wait for the user to close it.
}

void crashHandler(int sig, siginfo_t* info, void* context)
{
    const long self = syscall(SYS_gettid);
    long expected = 0;
    if (!g_handlingThread.compare_exchange_strong(expected, self)) {
        if (expected == self)
            dieOf(sig); // the handler itself failed
        for (;;)
            pause(); // another thread is writing the dump and will end the process
    }

    const int savedErrno = errno;
    const std::uint32_t code = crashCodeForSignal(sig, info ? info->si_code : 0);
    const unsigned long long address = instructionAddress(info, context);
    struct timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    const CivilTime ct = civilTime(ts.tv_sec);

    writeDump(sig, info, code, address, ts.tv_sec, ct);
    startMessage(code, address);
    Vantor::DazoLayout::RemoveScratchOfRunningSaves();
    errno = savedErrno;
    dieOf(sig);
}

// A request to end the process: a save under way must not leave its scratch files beside the model.
void terminationHandler(int sig)
{
    Vantor::DazoLayout::RemoveScratchOfRunningSaves();
    dieOf(sig);
}

void copyInto(char* dest, const std::string& src)
{
    if (src.size() + 1 > kPathSize) {
        dest[0] = '\0';
        return;
    }
    std::memcpy(dest, src.c_str(), src.size() + 1);
}

} // namespace

std::uint32_t crashCodeForSignal(int signal, int signalCode)
{
    switch (signal) {
    case SIGSEGV:
        return 0xc0000005u; // access violation
    case SIGBUS:
        return signalCode == BUS_ADRALN ? 0x80000002u /* datatype misalignment */
                                        : 0xc0000006u /* in-page error */;
    case SIGFPE:
        switch (signalCode) {
        case FPE_INTDIV: return 0xc0000094u;
        case FPE_INTOVF: return 0xc0000095u;
        case FPE_FLTDIV: return 0xc000008eu;
        case FPE_FLTOVF: return 0xc0000091u;
        case FPE_FLTUND: return 0xc0000093u;
        case FPE_FLTRES: return 0xc000008fu;
        case FPE_FLTSUB: return 0xc000008cu;
        default: return 0xc0000090u; // invalid floating-point operation
        }
    case SIGILL:
        return (signalCode == ILL_PRVOPC || signalCode == ILL_PRVREG) ? 0xc0000096u /* privileged */
                                                                       : 0xc000001du /* illegal */;
    case SIGABRT:
        return 0xc0000409u; // what an abort() reports on Windows
    default:
        return 0;
    }
}

void installCrashHandler()
{
    // The application directory, as the application object would report it later.
    std::string exe;
    {
        char buf[kPathSize];
        const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
        if (n > 0)
            exe.assign(buf, static_cast<std::size_t>(n));
    }
    const std::size_t slash = exe.rfind('/');
    const std::string appDir = slash == std::string::npos ? std::string() : exe.substr(0, slash);
    copyInto(g_program, exe);
    if (slash == std::string::npos) {
        g_dumpDir[0] = '\0'; // no dump without a place to put it; the message still comes
        g_messageProgram[0] = '\0';
    } else {
        copyInto(g_dumpDir, appDir + "/dump");
        copyInto(g_messageProgram, appDir + "/nerio-crash-message");
        mkdir(g_dumpDir, 0755);
    }

    const char* off = std::getenv("NERIO_CRASH_NO_MESSAGE");
    g_showMessage = !(off && *off && std::strcmp(off, "0") != 0);

    const time_t now = time(nullptr);
    struct tm local;
    if (localtime_r(&now, &local))
        g_utcOffset = local.tm_gmtoff;

    // The first backtrace() loads the unwinder, which allocates; do it now, not in the handler.
    void* frames[2];
    backtrace(frames, 2);

    stack_t ss;
    std::memset(&ss, 0, sizeof ss);
    ss.ss_sp = g_altStack;
    ss.ss_size = kAltStackSize;
    sigaltstack(&ss, nullptr);

    struct sigaction sa;
    std::memset(&sa, 0, sizeof sa);
    sa.sa_sigaction = crashHandler;
    sa.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&sa.sa_mask);
    for (int sig : kSignals)
        sigaddset(&sa.sa_mask, sig); // a second fault while writing the dump ends the process at once
    for (int sig : kSignals)
        sigaction(sig, &sa, nullptr);
}

void installTerminationHandler()
{
    struct sigaction sa;
    std::memset(&sa, 0, sizeof sa);
    sa.sa_handler = terminationHandler;
    sigemptyset(&sa.sa_mask);
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction previous;
        // A signal ignored when the process started (nohup, a shell's background job) stays ignored.
        if (sigaction(sig, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN)
            continue;
        sigaction(sig, &sa, nullptr);
    }
}

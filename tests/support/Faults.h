#pragma once

// Faults a user's bad day brings, made on purpose inside a test process.

#include <csignal>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <unistd.h>

// A full disk: while it lives, no file of this process can grow beyond the given size (the
// write that would cross it fails with EFBIG instead of ending the process).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        m_ok = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;
    bool ok() const { return m_ok; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = SIG_DFL;
    bool m_ok = false;
};

// File permissions that hold for this process, also when it runs as root (as in CI, where
// chmod alone stops nothing): root takes the file-system identity of "nobody", which drops
// its power to override permissions, until this goes. Without root nothing changes.
class AsUnprivileged
{
public:
    AsUnprivileged()
    {
        if (::geteuid() != 0) {
            m_ok = true;
            return;
        }
        setfsuid(kNobody);
        setfsgid(kNobody);
        // setfsuid() answers with the previous identity: asking again tells whether it took.
        m_ok = setfsuid(kNobody) == int(kNobody);
        m_switched = true;
    }
    ~AsUnprivileged()
    {
        if (m_switched) {
            setfsuid(0);
            setfsgid(0);
        }
    }
    AsUnprivileged(const AsUnprivileged &) = delete;
    AsUnprivileged &operator=(const AsUnprivileged &) = delete;
    bool ok() const { return m_ok; }

private:
    static constexpr uid_t kNobody = 65534;
    bool m_ok = false;
    bool m_switched = false;
};

// Takes away the administrator's right to ignore file permissions for as long as it lives,
// so that a read-only folder is read-only also when the tests run as root.
class WithoutOverride
{
public:
    WithoutOverride()
    {
        m_header.version = _LINUX_CAPABILITY_VERSION_3;
        m_header.pid = 0;
        if (syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct reduced[2] = {m_saved[0], m_saved[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
        m_dropped = syscall(SYS_capset, &m_header, reduced) == 0;
    }
    ~WithoutOverride()
    {
        if (m_dropped)
            syscall(SYS_capset, &m_header, m_saved);
    }
    WithoutOverride(const WithoutOverride &) = delete;
    WithoutOverride &operator=(const WithoutOverride &) = delete;

private:
    __user_cap_header_struct m_header{};
    __user_cap_data_struct m_saved[2]{};
    bool m_dropped = false;
};

#pragma once
// A file-size limit on the process while it lives: writes beyond it fail
// as on a full disk (and for any user, root too). The signal such a write
// raises is ignored meanwhile.
#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>

class CFileSizeLimit {
public:
    explicit CFileSizeLimit(rlim_t bytes)
    {
        m_bSet = getrlimit(RLIMIT_FSIZE, &m_saved) == 0;
        EXPECT_TRUE(m_bSet);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = m_saved;
        small.rlim_cur = bytes;
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    }
    ~CFileSizeLimit()
    {
        if (m_bSet)
            setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    CFileSizeLimit(const CFileSizeLimit&) = delete;
    CFileSizeLimit& operator=(const CFileSizeLimit&) = delete;

private:
    struct rlimit m_saved {};
    bool m_bSet = false;
    void (*m_oldHandler)(int) = nullptr;
};

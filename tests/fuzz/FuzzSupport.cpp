#include "tests/fuzz/FuzzSupport.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include <QCoreApplication>
#include <QDir>

#include "model/DataDefine.h"
#include "platform/core/FileIO.h"
#include "platform/core/MessageBoxHook.h"
#include "tests/fuzz/LiveSnapshot.h"

namespace {

// The process's scratch folder and the names written into it, removed at
// exit with plain system calls (Qt is gone by then).
std::string g_scratch;
std::set<std::string>* g_scratchNames = nullptr;
const CLiveSnapshot* g_baseline = nullptr;

void RemoveScratch()
{
    if (g_scratchNames != nullptr) {
        for (const std::string& name : *g_scratchNames)
            ::unlink((g_scratch + "/" + name).c_str());
    }
    ::rmdir(g_scratch.c_str());
}

}  // namespace

void FuzzStart()
{
    if (g_baseline != nullptr)
        return;
    // Kept for the whole process, as libFuzzer never returns to a caller.
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "orvane-fuzz";
        static char* argv[] = {name, nullptr};
        new QCoreApplication(argc, argv);
    }
    SetMessageBoxHandler([](const QString&, unsigned, int) { return IDOK; });
    std::string pattern = QDir::tempPath().toStdString() + "/orvane-fuzz-XXXXXX";
    FuzzCheck(::mkdtemp(pattern.data()) != nullptr, "a scratch folder can be made");
    g_scratch = pattern;
    g_scratchNames = new std::set<std::string>;
    std::atexit(RemoveScratch);
    InitDefaultDeviceData();
    g_baseline = new CLiveSnapshot;
}

void FuzzRestoreBaseline()
{
    g_baseline->Restore();
}

void FuzzCheck(bool ok, const char* what)
{
    if (ok)
        return;
    std::fprintf(stderr, "fuzz invariant broken: %s\n", what);
    std::abort();
}

QString FuzzWriteScratchFile(const char* name, const QByteArray& bytes)
{
    g_scratchNames->insert(name);
    const QString path = QString::fromStdString(g_scratch + "/" + name);
    FuzzCheck(WriteFileAtomically(path, bytes), "the scratch file can be written");
    return path;
}

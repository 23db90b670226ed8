#include "tools/simulator/SimFault.h"

#include <cstdlib>

namespace {
struct NamedKind {
    const char* name;
    CSimFault::Kind kind;
};
const NamedKind kKinds[] = {
    {"delay", CSimFault::Kind::Delay},
    {"noreply", CSimFault::Kind::NoReply},
    {"resend", CSimFault::Kind::Resend},
    {"badxor", CSimFault::Kind::BadXor},
    {"wrongversion", CSimFault::Kind::WrongVersion},
    {"emptystatus", CSimFault::Kind::EmptyStatus},
    {"close", CSimFault::Kind::Close},
    {"refuse", CSimFault::Kind::Refuse},
};
const int kMaxDelayMs = 60000;
const size_t kMaxTagLength = 11;

// A whole decimal number from min to max, nothing else.
bool ParseNumber(const std::string& text, long long min, long long max, long long* value)
{
    if (text.empty() || text.size() > 12 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    *value = std::strtoll(text.c_str(), nullptr, 10);
    return *value >= min && *value <= max;
}
}  // namespace

const char* CSimFault::Name(Kind kind)
{
    for (const NamedKind& k : kKinds) {
        if (k.kind == kind)
            return k.name;
    }
    return "?";
}

bool CSimFault::Parse(const std::string& text, CSimFault* fault, std::string* error)
{
    auto fail = [&](const std::string& why) {
        if (error)
            *error = "fault \"" + text + "\": " + why;
        return false;
    };
    const size_t at = text.find('@');
    if (at == std::string::npos)
        return fail("expected kind@frame");
    const std::string name = text.substr(0, at);
    const NamedKind* found = nullptr;
    for (const NamedKind& k : kKinds) {
        if (name == k.name)
            found = &k;
    }
    if (!found)
        return fail("unknown kind \"" + name + "\"");

    const size_t colon = text.find(':', at);
    const std::string number = text.substr(at + 1, colon == std::string::npos ? std::string::npos : colon - at - 1);
    const bool hasArgument = colon != std::string::npos;
    const std::string argument = hasArgument ? text.substr(colon + 1) : std::string();

    CSimFault result;
    result.kind = found->kind;
    if (!ParseNumber(number, 0, 1000000000000LL, &result.frame))
        return fail("the frame number must be a whole number (0 = every frame)");
    if (result.kind == Kind::Delay) {
        long long ms = 0;
        if (!hasArgument || !ParseNumber(argument, 0, kMaxDelayMs, &ms))
            return fail("a delay needs :milliseconds from 0 to 60000");
        result.delayMs = int(ms);
    } else if (result.kind == Kind::WrongVersion) {
        if (hasArgument) {
            if (argument.empty() || argument.size() > kMaxTagLength)
                return fail("a version tag has 1 to 11 characters");
            result.versionTag = argument;
        }
    } else if (hasArgument) {
        return fail("this kind takes no argument");
    }
    *fault = result;
    return true;
}

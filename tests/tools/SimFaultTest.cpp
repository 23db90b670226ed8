// The fault knobs as the simulator's command line takes them.
#include <gtest/gtest.h>

#include <string>

#include "tools/simulator/SimFault.h"

TEST(SimFaultTest, ParsesEveryKindWithItsFrameAndArgument)
{
    using K = CSimFault::Kind;
    struct Case {
        const char* text;
        K kind;
        long long frame;
        int delayMs;
        const char* tag;
    } cases[] = {
        {"delay@3:500", K::Delay, 3, 500, "KRVA-CV1.00"},
        {"noreply@2", K::NoReply, 2, 0, "KRVA-CV1.00"},
        {"resend@0", K::Resend, 0, 0, "KRVA-CV1.00"},
        {"badxor@17", K::BadXor, 17, 0, "KRVA-CV1.00"},
        {"wrongversion@2", K::WrongVersion, 2, 0, "KRVA-CV1.00"},
        {"wrongversion@2:KRVA-BV2.00", K::WrongVersion, 2, 0, "KRVA-BV2.00"},
        {"emptystatus@5", K::EmptyStatus, 5, 0, "KRVA-CV1.00"},
        {"close@7", K::Close, 7, 0, "KRVA-CV1.00"},
        {"refuse@9", K::Refuse, 9, 0, "KRVA-CV1.00"},
    };
    for (const Case& c : cases) {
        CSimFault f;
        std::string error;
        ASSERT_TRUE(CSimFault::Parse(c.text, &f, &error)) << c.text << ": " << error;
        EXPECT_EQ(f.kind, c.kind) << c.text;
        EXPECT_EQ(f.frame, c.frame) << c.text;
        EXPECT_EQ(f.delayMs, c.delayMs) << c.text;
        EXPECT_EQ(f.versionTag, c.tag) << c.text;
        EXPECT_EQ(std::string(c.text).rfind(CSimFault::Name(f.kind), 0), 0u) << c.text;
    }
    CSimFault every;
    every.frame = 0;
    EXPECT_TRUE(every.Hits(1));
    EXPECT_TRUE(every.Hits(99));
    CSimFault third;
    third.frame = 3;
    EXPECT_FALSE(third.Hits(2));
    EXPECT_TRUE(third.Hits(3));
}

TEST(SimFaultTest, RefusesWhatItCannotMeanWithAReason)
{
    for (const char* text : {"", "delay", "delay@", "delay@3", "delay@3:", "delay@3:60001", "delay@-1:5",
                             "delay@x:5", "noreply@2:5", "wrongversion@2:KRVA-BV1.000", "wrongversion@2:",
                             "bogus@1", "close@1e3", "close@99999999999999"}) {
        CSimFault f;
        f.frame = 42;
        std::string error;
        EXPECT_FALSE(CSimFault::Parse(text, &f, &error)) << text;
        EXPECT_FALSE(error.empty()) << text;
        EXPECT_EQ(f.frame, 42) << text;
    }
}

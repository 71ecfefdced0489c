#include "files/defaults_file.h"
#include "files/last_session_file.h"
#include "files/network_file.h"

#include "tests/files/file_test_support.h"
#include "tests/support/sessions.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace vorelin {
namespace {

// The session every file below is written from: fractions, exponents and a negative value, so
// that a decimal comma would show anywhere.
Session Sample() {
    Session session = test::Entries(8, 14.25e6f, 50.5f, {.c2 = 4.7e-11f, .l1 = 1.5e-6f, .l3 = 2.25e-6f});
    session.AspectRatio = 1.25f;
    session.DefaultsValue2 = 1000.5f;
    session.DefaultsValue3 = 1.5e-7f;
    session.LoadR = 0.75f;
    session.LoadX = -12.5f;
    return session;
}

struct Written {
    std::string defaults, lastSession, network;
};

Written WriteAll() {
    const test::WorkingFolder folder;
    Session session = Sample();
    EXPECT_FALSE(WriteDefaults(session).Failed());
    EXPECT_FALSE(WriteLastSession(session).Failed());
    EXPECT_FALSE(WriteNetworkFile(session, "net.PWF", "1.2.2024 10:00").Failed());
    Written written{*test::FileBytes("Defaults.TXT"), *test::FileBytes("VORELIN.DAT"),
                    *test::FileBytes("net.PWF")};

    Session read;
    EXPECT_EQ(ReadDefaults(read), DefaultsRead::FromFile);
    EXPECT_EQ(read.AspectRatio, 1.25f);
    EXPECT_EQ(read.DefaultsValue2, 1000.5f);
    EXPECT_EQ(read.DefaultsValue3, 1.5e-7f);
    EXPECT_EQ(ReadLastSession(read), LastSessionRead::Complete);
    EXPECT_EQ(read.SavedFrequency, 14.25e6f);
    EXPECT_EQ(read.SavedImpedance, 50.5f);
    EXPECT_EQ(read.SavedTopology, 8);
    EXPECT_EQ(read.L3, 2.25e-6f);
    return written;
}

TEST(Files, SameBytesUnderADecimalCommaLocale) {
    const Written plain = WriteAll();
    EXPECT_NE(plain.network.find("Antenna R:  .75 \r\n"), std::string::npos);

    const char* chosen = std::setlocale(LC_ALL, "de_DE.UTF-8");
    if (chosen == nullptr) GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const Written german = WriteAll();
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale::c());

    EXPECT_EQ(german.defaults, plain.defaults);
    EXPECT_EQ(german.lastSession, plain.lastSession);
    EXPECT_EQ(german.network, plain.network);
}

} // namespace
} // namespace vorelin

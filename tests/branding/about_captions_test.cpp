#include "branding/about_captions.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(AboutCaptions, ComeFromTheVersionRecord) {
    const AboutCaptions captions = MakeAboutCaptions(EmbeddedVersionRecord());
    EXPECT_EQ(captions.caption, "About Quorvane");
    EXPECT_EQ(captions.productName, "Quorvane");
    EXPECT_EQ(captions.version, "2.1");
    EXPECT_EQ(captions.company, "Tarnwick Downloads");
    EXPECT_EQ(captions.website, "tarnwick.example");
}

TEST(AboutCaptions, VersionIsMajorDotMinorInPlainDecimals) {
    struct Row {
        const char* fixedVersion;
        const char* shown;
    } rows[] = {
        {"2.1.0.0", "2.1"},   {"2.10.0.0", "2.10"}, {"2.0.5.7", "2.0"},
        {"02.01.0.0", "2.1"}, {"", "0.0"},
    };
    for (const auto& row : rows) {
        const auto record = ParseVersionRecord(std::string("FixedFileVersion=") + row.fixedVersion);
        EXPECT_EQ(MakeAboutCaptions(record).version, row.shown) << row.fixedVersion;
    }
}

}  // namespace
}  // namespace quorvane

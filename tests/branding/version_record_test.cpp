#include "branding/version_record.h"

#include <gtest/gtest.h>

#include "branding/branding_values.h"

namespace quorvane {
namespace {

TEST(VersionRecord, EmbeddedRecordNamesThisProduct) {
    const VersionRecord record = EmbeddedVersionRecord();
    EXPECT_EQ(record.ProductName, "Quorvane");
    EXPECT_EQ(record.CompanyName, "Tarnwick Downloads");
    EXPECT_EQ(record.Comments, "tarnwick.example");
    EXPECT_EQ(record.FileVersion, "2.01");
    EXPECT_EQ(record.ProductVersion, "2.01");
    EXPECT_EQ(record.InternalName, "QuorvaneFull");
    EXPECT_EQ(record.OriginalFilename, "QuorvaneFull.exe");
    EXPECT_EQ(record.major, 2);
    EXPECT_EQ(record.minor, 1);
    EXPECT_EQ(record.build, 0);
    EXPECT_EQ(record.revision, 0);
}

TEST(VersionRecord, ParsesKeysCommentsAndBlanks) {
    const VersionRecord record = ParseVersionRecord(
        "; comment\r\n"
        "ProductName = Other Name \r\n"
        "\n"
        "Unknown=ignored\n"
        "CompanyName=A=B\n"
        "FixedFileVersion=3.10.7.9");
    EXPECT_EQ(record.ProductName, "Other Name");
    EXPECT_EQ(record.CompanyName, "A=B");
    EXPECT_EQ(record.Comments, "");
    EXPECT_EQ(record.major, 3);
    EXPECT_EQ(record.minor, 10);
    EXPECT_EQ(record.build, 7);
    EXPECT_EQ(record.revision, 9);
}

TEST(VersionRecord, MalformedFixedVersionReadsAsZeros) {
    struct Row {
        const char* text;
        int major, minor;
    } rows[] = {
        {"FixedFileVersion=", 0, 0},
        {"FixedFileVersion=2", 2, 0},
        {"FixedFileVersion=x.4", 0, 4},
        {"FixedFileVersion=2.0", 2, 0},
    };
    for (const auto& row : rows) {
        const VersionRecord record = ParseVersionRecord(row.text);
        EXPECT_EQ(record.major, row.major) << row.text;
        EXPECT_EQ(record.minor, row.minor) << row.text;
    }
}

TEST(BrandingValues, LoadedFromTheEmbeddedRecordAndStableOnReload) {
    LoadBrandingValues();
    EXPECT_EQ(branding.productName, "Quorvane");
    EXPECT_EQ(branding.companyName, "Tarnwick Downloads");
    EXPECT_EQ(branding.website, "tarnwick.example");
    LoadBrandingValues();
    EXPECT_EQ(branding.productName + " by " + branding.companyName,
              "Quorvane by Tarnwick Downloads");
}

}  // namespace
}  // namespace quorvane

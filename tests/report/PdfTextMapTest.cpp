#include "PdfTextMap.h"

#include <gtest/gtest.h>

namespace {

// The shape of the maps Qt writes, with every kind of entry.
const char* const samplePdf = "%PDF-1.4\n"
                              "7 0 obj\n<< /Type /Font /ToUnicode 9 0 R >>\nendobj\n"
                              "8 0 obj\n<< /Type /Font /ToUnicode 10 0 R >>\nendobj\n"
                              "9 0 obj\n<< /Length 200 >>\nstream\n"
                              "2 beginbfrange\n"
                              "<0001> <0004> [<4E94> <2FA6> <5546> <2F8F> ]\n"
                              "<0005> <0005> <2EC6>\n"
                              "<0006> <0008> <2F00>\n"
                              "endbfrange\n"
                              "1 beginbfchar\n"
                              "<2F8F> <2EDA>\n"
                              "endbfchar\n"
                              "endstream\nendobj\n"
                              "10 0 obj\n<< /Length 30 /Filter /FlateDecode >>\nstream\n"
                              "<0001> <0001> <2FA6>\n"
                              "endstream\nendobj\n"
                              "<2FA6> outside any map\n";

std::optional<char16_t> radicalToCharacter(char16_t code)
{
    const std::pair<char16_t, char16_t> map[]
        = {{0x2FA6, u'金'}, {0x2F8F, u'行'}, {0x2EC6, u'角'}, {0x2EDA, u'页'}, {0x2F00, u'一'}};
    for (const auto& [radical, character] : map)
        if (radical == code)
            return character;
    return std::nullopt;
}

} // namespace

TEST(PdfTextMapTest, RewritesRadicalTargetsInPlace)
{
    const QByteArray original(samplePdf);
    const QByteArray fixed = PdfTextMap::fixToUnicodeMaps(original, radicalToCharacter);
    ASSERT_EQ(fixed.size(), original.size()); // no offset in the file may move

    EXPECT_TRUE(fixed.contains("<0001> <0004> [<4E94> <91D1> <5546> <884C> ]"));
    EXPECT_TRUE(fixed.contains("<0005> <0005> <89D2>"));
    // A longer range counts up from its target; changing it would change
    // every code of the range.
    EXPECT_TRUE(fixed.contains("<0006> <0008> <2F00>"));
    // Only the target of a single mapping changes, not its source code.
    EXPECT_TRUE(fixed.contains("<2F8F> <9875>"));
    // Compressed streams and text outside the maps stay as they were.
    EXPECT_TRUE(fixed.contains("<0001> <0001> <2FA6>\nendstream"));
    EXPECT_TRUE(fixed.contains("<2FA6> outside any map"));

    // Files without maps, or no repair to make, are left alone.
    const QByteArray plain("%PDF-1.4\n1 0 obj\n<< /ToUnicode 5 0 R >>\nendobj\n%%EOF\n");
    EXPECT_EQ(PdfTextMap::fixToUnicodeMaps(plain, radicalToCharacter), plain);
    EXPECT_EQ(PdfTextMap::fixToUnicodeMaps(QByteArray(samplePdf), {}), QByteArray(samplePdf));
}

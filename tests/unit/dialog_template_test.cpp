// The dialog template as the dialog manager reads it.
#include "app/dialog_template.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Reads the template back field by field, as the dialog manager walks it.
struct TemplateReader {
    const std::vector<std::uint16_t>& words;
    std::size_t at = 0;

    std::uint16_t Word() { return words.at(at++); }
    std::uint32_t Long() {
        const std::uint32_t low = Word();
        return low | (static_cast<std::uint32_t>(Word()) << 16);
    }
    std::string Text() {
        std::string text;
        for (std::uint16_t c = Word(); c != 0; c = Word()) {
            EXPECT_LT(c, 0x80);
            text += static_cast<char>(c);
        }
        return text;
    }
};

TEST(DialogTemplate, HoldsHeaderCaptionAndFontInOrder) {
    DialogTemplateFields fields;
    fields.style = 0x80CA0844; // style bits in both halves
    fields.extendedStyle = 0x00020000;
    fields.x = -7;
    fields.y = 300;
    fields.width = 212;
    fields.height = 281;
    fields.caption = "Quillpad";
    fields.pointSize = 8;
    fields.fontName = "MS Sans Serif";
    const std::vector<std::uint16_t> words = DialogTemplateWords(fields);

    TemplateReader read{words};
    EXPECT_EQ(read.Long(), 0x80CA0844u);
    EXPECT_EQ(read.Long(), 0x00020000u);
    EXPECT_EQ(read.Word(), 0) << "no controls";
    EXPECT_EQ(static_cast<std::int16_t>(read.Word()), -7);
    EXPECT_EQ(read.Word(), 300);
    EXPECT_EQ(read.Word(), 212);
    EXPECT_EQ(read.Word(), 281);
    EXPECT_EQ(read.Word(), 0) << "no menu";
    EXPECT_EQ(read.Word(), 0) << "the standard dialog class";
    EXPECT_EQ(read.Text(), "Quillpad");
    EXPECT_EQ(read.Word(), 8);
    EXPECT_EQ(read.Text(), "MS Sans Serif");
    EXPECT_EQ(read.at, words.size()) << "nothing after the font";
}

TEST(DialogTemplate, WithoutFontEndsAfterCaptionAndReplacesNonAsciiBytes) {
    DialogTemplateFields fields;
    fields.caption = "Pad\xE9";
    const std::vector<std::uint16_t> words = DialogTemplateWords(fields);
    ASSERT_EQ(words.size(), 11u + 5u);
    EXPECT_EQ(words[11], u'P');
    EXPECT_EQ(words[14], u'?');
    EXPECT_EQ(words[15], 0);
}

} // namespace

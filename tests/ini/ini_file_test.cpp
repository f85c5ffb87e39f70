#include "ini/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <random>

#include "config/atomic_file.h"
#include "ini/utf8.h"

namespace kz7 {
namespace {

namespace fs = std::filesystem;

class TempFolder {
public:
    TempFolder() {
        std::random_device random;
        path_ = fs::temp_directory_path() / ("kz7-ini-" + std::to_string(random()));
        fs::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::permissions(path_ / "locked.ini", fs::perms::owner_all, ignored);
        fs::remove_all(path_, ignored);
    }
    fs::path operator/(const char* name) const { return path_ / name; }

private:
    fs::path path_;
};

std::string FileText(const fs::path& path) {
    std::string text;
    EXPECT_TRUE(ReadWholeFile(path, text));
    return text;
}

void WriteText(const fs::path& path, std::string_view text) { ASSERT_EQ(WriteFileAtomically(path, text), 0); }

// A record.ini as a macro store leaves it, with the blanks and comments of a hand edit.
constexpr std::string_view kStore =
    "; macros\n"
    "[Fire1]\n"
    "ItemCount=3\n"
    "Item0=A   Dn\n"
    "Item1=50 ms\n"
    "Item2=A   Up\n"
    "\n"
    "[ Spaced Name ]\n"
    "  Item0  =   padded value   \n"
    "quoted=\"  kept blanks  \"\n"
    "single='x'\n"
    "unbalanced=\"x'\n"
    "dup=first\n"
    "DUP=second\n"
    "[fire1]\n"
    "ItemCount=99\n"
    "Hidden=yes\n";

struct ReadCase {
    const char* section;
    const char* key;
    std::optional<std::string> expected;
};

TEST(IniFileRead, NamesCaseBlanksQuotesAndFirstMatch) {
    const IniFile file = IniFile::Parse(kStore);
    const ReadCase cases[] = {
        {"Fire1", "ItemCount", "3"},
        {"FIRE1", "itemcount", "3"},               // case-insensitive names
        {"  Fire1 ", " Item0 ", "A   Dn"},         // names trimmed; inner blanks of values kept
        {"Spaced Name", "Item0", "padded value"},  // values trimmed
        {"Spaced Name", "quoted", "  kept blanks  "},
        {"Spaced Name", "single", "x"},
        {"Spaced Name", "unbalanced", "\"x'"},
        {"Spaced Name", "dup", "first"},          // first key wins
        {"Fire1", "Hidden", std::nullopt},        // a repeated section is not read
        {"Fire1", "Item3", std::nullopt},
        {"Nowhere", "Item0", std::nullopt},
        {"macros", "; macros", std::nullopt},      // comments are not keys
    };
    for (const auto& c : cases) {
        EXPECT_EQ(file.Get(c.section, c.key), c.expected) << c.section << " / " << c.key;
    }
    EXPECT_EQ(file.SectionNames(), (std::vector<std::string>{"Fire1", "Spaced Name"}));
    EXPECT_EQ(file.KeyNames("spaced name"),
              (std::vector<std::string>{"Item0", "quoted", "single", "unbalanced", "dup"}));
}

TEST(IniFileRead, GetIntTakesLeadingDigitsLikeTheProfileFunction) {
    const IniFile file = IniFile::Parse(
        "[s]\nplain=12\nunit=50 ms\nword=abc\nempty=\nsigned=-7\nblank=   42x\n"
        "huge=99999999999999\nhugeneg=-99999999999999\n");
    const struct {
        const char* key;
        int expected;
    } cases[] = {
        {"plain", 12}, {"unit", 50}, {"word", 0}, {"empty", -1}, {"missing", -1}, {"signed", -7},
        {"blank", 42}, {"huge", INT_MAX}, {"hugeneg", INT_MIN},
    };
    for (const auto& c : cases) EXPECT_EQ(file.GetInt("s", c.key, -1), c.expected) << c.key;
}

TEST(IniFileRead, GetStringCutsToTheBufferByCharacters) {
    const std::string longValue(5000, 'x');
    const std::string chinese = "\xE5\xB7\xA6\xE9\x94\xAE";  // two characters, six bytes
    const IniFile file = IniFile::Parse("[s]\nlong=" + longValue + "\ncjk=" + chinese + "\n");
    EXPECT_EQ(file.GetString("s", "long", ""), std::string(1023, 'x'));
    EXPECT_EQ(file.GetString("s", "long", "", 10), std::string(10, 'x'));
    EXPECT_EQ(file.GetString("s", "cjk", "", 1), "\xE5\xB7\xA6");
    EXPECT_EQ(file.GetString("s", "absent", "fallback"), "fallback");
    EXPECT_EQ(file.GetString("s", "absent", "fallback", 4), "fall");
}

TEST(IniFileWrite, ChangedKeyKeepsItsPlaceNewKeyEndsItsSectionNewSectionEndsTheFile) {
    IniFile file = IniFile::Parse("[a]\nk1=1\n; note\n\n[b]\nx=0\n");
    file.Set("A", "K1", "one");
    file.Set("a", "k2", "2");
    file.Set("c", "y", "new");
    EXPECT_EQ(file.Serialize(), "[a]\nk1=one\n; note\nk2=2\n\n[b]\nx=0\n[c]\ny=new\n");
}

TEST(IniFileWrite, DeleteSectionRemovesEveryCopyAndItsKeys) {
    IniFile file = IniFile::Parse("[m1]\nItemCount=1\nItem0=x\n[m2]\nItemCount=0\n[M1]\nstale=1\n");
    file.DeleteSection("m1");
    EXPECT_EQ(file.Serialize(), "[m2]\nItemCount=0\n");
    file.DeleteKey("m2", "itemcount");
    EXPECT_EQ(file.Serialize(), "[m2]\n");
    file.DeleteSection("absent");
    file.DeleteKey("absent", "k");
    EXPECT_EQ(file.Serialize(), "[m2]\n");
}

TEST(IniFileWrite, ReplaceSectionEqualsDeleteThenWritingEachKey) {
    const std::string original = "[m]\nold=1\n[other]\nk=v\n[M]\nstale=2";
    const std::vector<std::pair<std::string, std::string>> entries = {
        {"ItemCount", "2"}, {"Item0", "A   Dn"}, {"item0", "B   Dn"}, {"Item1", "50 ms"}};
    IniFile oneByOne = IniFile::Parse(original);
    oneByOne.DeleteSection("m");
    for (const auto& [key, value] : entries) oneByOne.Set("m", key, value);
    IniFile replaced = IniFile::Parse(original);
    replaced.ReplaceSection("m", entries);
    EXPECT_EQ(replaced.Serialize(), oneByOne.Serialize());
    EXPECT_EQ(replaced.Serialize(), "[other]\nk=v\n[m]\nItemCount=2\nItem0=B   Dn\nItem1=50 ms\n");
}

TEST(IniFileWrite, LineBreaksInWrittenTextCannotForgeKeysOrSections) {
    IniFile file;
    file.Set("sec\n[evil]", "key\r\nother", "v\n[x]\ny=1");
    EXPECT_EQ(file.SectionNames(), std::vector<std::string>{"sec [evil]"});
    EXPECT_EQ(file.Get("sec [evil]", "key  other"), "v [x] y=1");
}

// A damaged file can hold a key whose name starts with "[" (a header that
// lost its "]"). Writing "]" into it made the line a header, which took every
// key after it out of the section; a name with "=" or ";" cannot be a key's
// either. Such writes are refused and leave the document as it was.
TEST(IniFileWrite, AKeyThatNoLineCanHoldIsNotWritten) {
    const std::string original = "[S]\n[RColor=255\nk=v\n";
    const struct {
        const char* key;
        const char* value;
        bool written;
    } cases[] = {
        {"[RColor", "]", false}, {"[RColor", "0", true}, {"a=b", "v", false},
        {";c", "v", false},      {"k", "]", true},       {"new", "[x]", true},
    };
    for (const auto& c : cases) {
        IniFile file = IniFile::Parse(original);
        EXPECT_EQ(file.Set("S", c.key, c.value), c.written) << c.key << "=" << c.value;
        if (!c.written) {
            EXPECT_EQ(file.Serialize(), original) << c.key;
            continue;
        }
        const IniFile reread = IniFile::Parse(file.Serialize());
        EXPECT_EQ(reread.Get("S", c.key), c.value) << c.key;
        EXPECT_EQ(reread.KeyNames("S").size(), std::string_view(c.key) == "new" ? 3u : 2u) << c.key;
    }
    IniFile file;
    EXPECT_FALSE(file.Set("new section", "a=b", "v"));
    EXPECT_TRUE(file.empty());

    TempFolder folder;
    WriteText(folder / "s.ini", original);
    EXPECT_EQ(WriteProfileString(folder / "s.ini", "S", "[RColor", "]"), EINVAL);
    EXPECT_EQ(FileText(folder / "s.ini"), original);
}

// A read takes away surrounding blanks and one pair of enclosing quotes, so
// a label typed as "Fire" or with blanks around it came back changed after a
// save. Such values are written in quotes; every other value as it is.
TEST(IniFileWrite, ValuesWithSurroundingBlanksOrQuotesReadBackWhole) {
    const struct {
        const char* value;
        const char* line;
    } cases[] = {
        {"plain", "k=plain"},         {"  padded  ", "k=\"  padded  \""}, {"\"quoted\"", "k=\"\"quoted\"\""},
        {"'single'", "k=\"'single'\""}, {"\"\"", "k=\"\"\"\""},         {"\t", "k=\"\t\""},
        {"\"half", "k=\"half"},       {"in \"the\" middle", "k=in \"the\" middle"}, {"", "k="},
    };
    for (const auto& c : cases) {
        IniFile file;
        file.Set("s", "k", c.value);
        EXPECT_EQ(file.Serialize(), std::string("[s]\n") + c.line + "\n") << c.value;
        EXPECT_EQ(IniFile::Parse(file.Serialize()).Get("s", "k"), c.value) << c.value;
        file.ReplaceSection("s", {{"k", c.value}});
        EXPECT_EQ(IniFile::Parse(file.Serialize()).Get("s", "k"), c.value) << c.value;
    }
}

// A carriage return inside a line does not end it, so a damaged file can
// have a section named with one (a macro's name in record.ini, say). A write
// to that section must land in it, and a rewrite of it must keep its name:
// otherwise the value goes to a new section that no read finds, and each
// save of the macro adds another copy.
TEST(IniFileWrite, ANameWithACarriageReturnInsideIsWrittenInPlace) {
    IniFile file = IniFile::Parse("[a\rb]\nk=old\n[other]\nx=1\n");
    file.Set("a\rb", "k", "new");
    file.Set("a\rb", "added", "v");
    EXPECT_EQ(file.Serialize(), "[a\rb]\nk=new\nadded=v\n[other]\nx=1\n");

    for (const char* count : {"1", "2"}) file.ReplaceSection("a\rb", {{"ItemCount", count}});
    EXPECT_EQ(file.Serialize(), "[other]\nx=1\n[a\rb]\nItemCount=2\n");
    EXPECT_EQ(file.Get("a\rb", "ItemCount"), "2");

    // A name the file does not hold is written as its line can hold it,
    // and found again under the same name.
    for (const char* value : {"1", "2"}) file.Set("n\rm", "k\r", value);
    for (const char* count : {"1", "2"}) file.ReplaceSection("p\nq", {{"ItemCount", count}});
    EXPECT_EQ(file.Serialize(), "[other]\nx=1\n[a\rb]\nItemCount=2\n[n m]\nk=2\n[p q]\nItemCount=2\n");
}

struct EncodingCase {
    const char* name;
    std::string bytes;
    std::string afterSet;
};

std::string Utf16Le(std::string_view utf8) { return "\xFF\xFE" + Utf16FromUtf8(utf8, false); }

TEST(IniFileEncoding, WindowsFilesAreReadAndKeepTheirEncodingAndLineEnding) {
    const std::string label = "\xE5\xB7\xA6\xE9\x94\xAE";  // a Chinese label
    const EncodingCase cases[] = {
        {"utf-8 lf", "[Setting-CHS]\nItem1=" + label + "\n",
         "[Setting-CHS]\nItem1=" + label + "\nItem2=v\n"},
        {"utf-8 crlf", "[Setting-CHS]\r\nItem1=" + label + "\r\n",
         "[Setting-CHS]\r\nItem1=" + label + "\r\nItem2=v\r\n"},
        {"utf-8 bom crlf", "\xEF\xBB\xBF[Setting-CHS]\r\nItem1=" + label + "\r\n",
         "\xEF\xBB\xBF[Setting-CHS]\r\nItem1=" + label + "\r\nItem2=v\r\n"},
        {"utf-16le bom crlf", Utf16Le("[Setting-CHS]\r\nItem1=" + label + "\r\n"),
         Utf16Le("[Setting-CHS]\r\nItem1=" + label + "\r\nItem2=v\r\n")},
        {"utf-16be bom", "\xFE\xFF" + Utf16FromUtf8("[Setting-CHS]\nItem1=" + label + "\n", true),
         "\xFE\xFF" + Utf16FromUtf8("[Setting-CHS]\nItem1=" + label + "\nItem2=v\n", true)},
        {"no final newline", "[Setting-CHS]\r\nItem1=" + label,
         "[Setting-CHS]\r\nItem1=" + label + "\r\nItem2=v\r\n"},
    };
    for (const auto& c : cases) {
        IniFile file = IniFile::Parse(c.bytes);
        EXPECT_EQ(file.Get("setting-chs", "item1"), label) << c.name;
        EXPECT_EQ(file.Serialize(), c.bytes) << c.name;
        file.Set("Setting-CHS", "Item2", "v");
        EXPECT_EQ(file.Serialize(), c.afterSet) << c.name;
    }
}

TEST(IniFileEncoding, DamagedUtf16SurvivesARewriteUnchanged) {
    // A lone surrogate and an odd final byte: nothing to read there, but nothing to lose either.
    const std::string damaged = Utf16Le("[s]\r\nk=") + std::string("\x00\xD8", 2) + Utf16FromUtf8("\r\n", false) + "Z";
    IniFile file = IniFile::Parse(damaged);
    EXPECT_EQ(file.Serialize(), damaged);
    file.Set("other", "k", "v");
    EXPECT_TRUE(file.Serialize().starts_with(damaged.substr(0, damaged.size() - 1)));
    EXPECT_EQ(IniFile::Parse(file.Serialize()).Get("other", "k"), "v");
}

TEST(IniFileDamage, GarbageHugeLinesAndNulBytesAreKeptOnAnUnrelatedWrite) {
    std::string damaged = "[good]\nkey=1\n";
    std::mt19937 random(7);
    for (int i = 0; i < 4096; ++i) damaged += static_cast<char>(random() & 0xFF);
    damaged += "\n" + std::string(1 << 20, 'q') + "=" + std::string(100, 'v') + "\n";
    damaged += std::string("bin\0ary=\xFF\xFE\x00", 12) + "\n[tail]\nlast=end";  // no final newline
    IniFile file = IniFile::Parse(damaged);
    EXPECT_EQ(file.Get("good", "key"), "1");
    EXPECT_EQ(file.Get("tail", "last"), "end");
    file.Set("tail", "added", "yes");
    const std::string rewritten = file.Serialize();
    EXPECT_TRUE(rewritten.starts_with(damaged)) << "content before the new key was lost";
    EXPECT_EQ(IniFile::Parse(rewritten).Get("tail", "added"), "yes");
}

TEST(IniFileDamage, AnyBytesSurviveParseAndSerializeInEveryEncoding) {
    std::mt19937 random(11);
    for (const std::string_view prefix : {std::string_view(""), std::string_view("\xEF\xBB\xBF"),
                                          std::string_view("\xFF\xFE"), std::string_view("\xFE\xFF")}) {
        for (int round = 0; round < 200; ++round) {
            std::string bytes(prefix);
            const std::size_t length = random() % 300;
            for (std::size_t i = 0; i < length; ++i) {
                // Mostly text with line breaks, brackets and equals signs, some raw bytes and NULs.
                static constexpr char kText[] = "ab[]= \r\n;\"'";
                bytes += (random() % 4) ? kText[random() % (sizeof kText - 1)] : static_cast<char>(random() & 0xFF);
            }
            IniFile file = IniFile::Parse(bytes);
            ASSERT_EQ(file.Serialize(), bytes) << "prefix " << prefix.size() << " round " << round;
            for (const auto& section : file.SectionNames()) {
                for (const auto& key : file.KeyNames(section)) ASSERT_TRUE(file.Get(section, key)) << key;
            }
            file.Set("new", "key", "value");
            ASSERT_EQ(IniFile::Parse(file.Serialize()).Get("new", "key"), "value");
        }
    }
}

TEST(IniFileDamage, HeaderWithoutClosingBracketIsNoSection) {
    const IniFile file = IniFile::Parse("[open\nk=v\n[ok]x\nk=w\n");
    EXPECT_EQ(file.SectionNames(), std::vector<std::string>{"ok"});
    EXPECT_EQ(file.Get("ok", "k"), "w");
}

TEST(IniFileDisk, MissingFileReadsEmptyAndWritesCreateIt) {
    TempFolder folder;
    const fs::path path = folder / "record.ini";
    EXPECT_TRUE(IniFile::Load(path).empty());
    EXPECT_EQ(ReadProfileString(path, "s", "k", "none"), "none");
    EXPECT_EQ(DeleteProfileSection(path, "s"), 0);
    EXPECT_FALSE(fs::exists(path)) << "deleting from a missing file must not create it";
    EXPECT_EQ(WriteProfileString(path, "Fire1", "ItemCount", "0"), 0);
    EXPECT_EQ(FileText(path), "[Fire1]\nItemCount=0\n");
    EXPECT_EQ(ReadProfileInt(path, "fire1", "itemcount", 5), 0);
    EXPECT_EQ(DeleteProfileKey(path, "Fire1", "ItemCount"), 0);
    EXPECT_EQ(FileText(path), "[Fire1]\n");
    EXPECT_EQ(DeleteProfileSection(path, "FIRE1"), 0);
    EXPECT_EQ(FileText(path), "");
}

TEST(IniFileDisk, UnreadableFileIsNeverReplacedByAWrite) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
    TempFolder folder;
    const fs::path path = folder / "locked.ini";
    WriteText(path, "[keep]\nme=1\n");
    fs::permissions(path, fs::perms::none);
    EXPECT_NE(WriteProfileString(path, "s", "k", "v"), 0);
    fs::permissions(path, fs::perms::owner_all);
    EXPECT_EQ(FileText(path), "[keep]\nme=1\n");
}

TEST(IniFileDisk, FolderInPlaceOfTheFileIsAnError) {
    TempFolder folder;
    fs::create_directories(folder / "str.ini");
    EXPECT_NE(WriteProfileString(folder / "str.ini", "s", "k", "v"), 0);
    EXPECT_TRUE(fs::is_directory(folder / "str.ini"));
}

TEST(Utf8Text, NamesFoldLikeTheProfileFunctions) {
    const struct {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {"Fire1", "fIRE1", true},
        {"Ärger", "äRGER", true},
        {"Łódź", "łÓDŹ", true},
        {"Σ", "σ", true},
        {"ЖЁ", "жё", true},
        {"×", "÷", false},  // × is no letter and must not fold into ÷
        {"宏", "宏", true},
        {"a\xFF", "A\xFF", true},                          // stray bytes kept
        {"Fire1", "Fire2", false},
        {"\xC5\xB8", "\xC3\xBF", true},                  // Ÿ folds into ÿ, of the same length
        {" Fire1 ", "fire1", true},
        {"Fire1", "Fire11", false},
    };
    for (const auto& c : cases) EXPECT_EQ(SameProfileName(c.a, c.b), c.same) << c.a << " / " << c.b;
}

std::string Utf8Of(char32_t c) {
    std::string text;
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (c >> 18));
        text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
    return text;
}

// Names of different lengths are taken as different without folding them
// (a megabyte line read as a section name made every read fold it whole),
// which holds only while no character folds into one of another length.
TEST(Utf8Text, FoldingKeepsTheLengthOfEveryCharacter) {
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        const std::string text = Utf8Of(c);
        ASSERT_EQ(FoldCase(text).size(), text.size()) << std::hex << static_cast<unsigned>(c);
    }
    for (const std::string stray : {"\xFF", "\xC3", "\xE5\xB7", "\xC0\x80"}) EXPECT_EQ(FoldCase(stray), stray);
}

// The comparison of names folds character by character instead of building
// both folded texts; it must say what comparing those texts would.
TEST(Utf8Text, SameFoldedAgreesWithComparingFoldedTexts) {
    const std::string texts[] = {"Fire1", "fIRE1", "\xC3\x84rger", "\xC3\xA4rger", "\xC5\xB8", "\xC3\xBF",
                                 "a\xFF", "A\xFF", "A\xFE", "\xC3", "\xC3\x89", "\xC3\xA9", "\xE5\xB7\xA6",
                                 "\xE5\xB7", "\xE0\x80\x80", "", "\xC3\xA9\xA9", "\xC3\x89\xA9"};
    for (const auto& a : texts) {
        for (const auto& b : texts) EXPECT_EQ(SameFolded(a, b), FoldCase(a) == FoldCase(b)) << a << " / " << b;
    }
}

TEST(Utf8Text, CountAndCutNeverSplitACharacter) {
    EXPECT_EQ(CountCharacters("a\xE5\xB7\xA6" "b"), 3u);
    EXPECT_EQ(CountCharacters("\xFF\xFE"), 2u);  // stray bytes count one each
    EXPECT_EQ(CutToCharacters("a\xF0\x9F\x98\x80" "b", 2), "a\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf8FromUtf16(Utf16FromUtf8("a\xF0\x9F\x98\x80", false), false), "a\xF0\x9F\x98\x80");
}

}  // namespace
}  // namespace kz7

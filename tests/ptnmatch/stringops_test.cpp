#include "core/cp932.h"
#include "mapfile/ptnmatch.h"

#include <gtest/gtest.h>

namespace {

using Pieces = std::vector<std::string>;

const std::string kHyo = "\x95\x5C";  // 表: its trail byte is a backslash

TEST(StringOps, SplitFirst)
{
    struct Case {
        std::string Str, Sep;
        int Result;
        std::string Head, Tail;
    };
    const Case cases[] = {
        {"a,b,c", ",", 1, "a", "b,c"},
        {"abc", ",", 0, "abc", ""},
        {"abc", "", 0, "abc", ""},
        {"", ",", 0, "", ""},
        {"a::b", "::", 1, "a", "b"},
        // The trail byte of 表 is no backslash to split at.
        {"x" + kHyo + "y\\z", "\\", 1, "x" + kHyo + "y", "z"},
        {kHyo, "\\", 0, kHyo, ""},
    };
    for (const Case& c : cases) {
        std::string head = "old";
        std::string tail = "old";
        EXPECT_EQ(CPtnMatch::SplitFirst(c.Str, c.Sep, head, tail), c.Result) << c.Str;
        EXPECT_EQ(head, c.Head) << c.Str;
        EXPECT_EQ(tail, c.Tail) << c.Str;
    }
}

TEST(StringOps, SplitString)
{
    struct Case {
        std::string Str, Sep;
        Pieces Expected;
    };
    const Case cases[] = {
        {"", ",", {""}},
        {"1,,2", ",", {"1", "", "2"}},
        {"a,", ",", {"a", ""}},
        {",", ",", {"", ""}},
        {"0,1,-1,5", ",", {"0", "1", "-1", "5"}},
        {"abc", "", {"abc"}},
        {kHyo + "\\" + kHyo, "\\", {kHyo, kHyo}},
    };
    for (const Case& c : cases) {
        Pieces list = {"stale"};
        EXPECT_EQ(CPtnMatch::SplitString(c.Str, c.Sep, list),
                  static_cast<int>(c.Expected.size()))
            << c.Str;
        EXPECT_EQ(list, c.Expected) << c.Str;
    }
}

TEST(StringOps, ReplaceAll)
{
    struct Case {
        std::string Str, Old, New;
        int Result;
        std::string Expected;
    };
    const Case cases[] = {
        {"[MapFolder]a.png", "[MapFolder]", "C:\\maps\\", 1, "C:\\maps\\a.png"},
        {"C:\\maps\\chips\\a.png", "C:\\maps\\", "[MapFolder]", 1, "[MapFolder]chips\\a.png"},
        {"D:\\other\\a.png", "C:\\maps\\", "[MapFolder]", 0, "D:\\other\\a.png"},
        {"a-b-c", "-", "+-", 2, "a+-b+-c"},
        {"abc", "", "x", 0, "abc"},
        {"aaa", "a", "", 3, ""},
        // Case-sensitive, and the trail byte of 表 is never replaced.
        {"[mapfolder]a", "[MapFolder]", "X", 0, "[mapfolder]a"},
        {kHyo + "\\", "\\", "/", 1, kHyo + "/"},
    };
    for (const Case& c : cases) {
        std::string s = c.Str;
        EXPECT_EQ(CPtnMatch::ReplaceAll(s, c.Old, c.New), c.Result) << c.Str;
        EXPECT_EQ(s, c.Expected) << c.Str;
    }
}

TEST(StringOps, GetFolderAndSplitPath)
{
    struct Case {
        std::string Path;
        int FolderResult;
        std::string Folder, Name;
    };
    const Case cases[] = {
        {"C:\\maps\\a.mpx", 1, "C:\\maps\\", "a.mpx"},
        {"a.mpx", 0, "", "a.mpx"},
        {"/home/u/maps/a.mpx", 1, "/home/u/maps/", "a.mpx"},
        {"C:\\maps/sub\\a.mpx", 1, "C:\\maps/sub\\", "a.mpx"},
        {"C:\\maps\\", 1, "C:\\maps\\", ""},
        // The last 0x5C is the trail byte of 表: the search goes on to the left.
        {"C:\\maps\\" + kHyo + ".mpx", 1, "C:\\maps\\", kHyo + ".mpx"},
        {kHyo + ".mpx", 0, "", kHyo + ".mpx"},
        {"C:\\" + kHyo + "\\a.mpx", 1, "C:\\" + kHyo + "\\", "a.mpx"},
    };
    for (const Case& c : cases) {
        std::string folder = "stale";
        EXPECT_EQ(CPtnMatch::GetFolder(folder, c.Path), c.FolderResult) << c.Path;
        EXPECT_EQ(folder, c.Folder) << c.Path;
        std::string name = "stale";
        folder = "stale";
        EXPECT_EQ(CPtnMatch::SplitPath(folder, name, c.Path), 1) << c.Path;
        EXPECT_EQ(folder, c.Folder) << c.Path;
        EXPECT_EQ(name, c.Name) << c.Path;
    }
    std::string folder = "stale";
    std::string name = "stale";
    EXPECT_EQ(CPtnMatch::SplitPath(folder, name, ""), 0);
    EXPECT_EQ(folder, "");
    EXPECT_EQ(name, "");
}

TEST(StringOps, SplitPathExt)
{
    struct Case {
        std::string Path;
        int Result;
        std::string Folder, Base, Ext;
    };
    const Case cases[] = {
        {"C:\\maps\\old.town.mpx", 1, "C:\\maps\\", "old.town", ".mpx"},
        {"C:\\maps\\town", 1, "C:\\maps\\", "town", ""},
        {"town.mpx", 1, "", "town", ".mpx"},
        {"C:\\my.maps\\town", 1, "C:\\my.maps\\", "town", ""},
        {".mpx", 1, "", "", ".mpx"},
        {"C:\\" + kHyo + ".png", 1, "C:\\", kHyo, ".png"},
        {"", 0, "", "", ""},
    };
    for (const Case& c : cases) {
        std::string folder = "stale";
        std::string base = "stale";
        std::string ext = "stale";
        EXPECT_EQ(CPtnMatch::SplitPathExt(folder, base, ext, c.Path), c.Result) << c.Path;
        EXPECT_EQ(folder, c.Folder) << c.Path;
        EXPECT_EQ(base, c.Base) << c.Path;
        EXPECT_EQ(ext, c.Ext) << c.Path;
    }
}

TEST(StringOps, GetByteType)
{
    const std::string s = "a" + kHyo + "b" + Cp932("あ");  // a 0x95 0x5C b 0x82 0xA0
    struct Case {
        int Index;
        int Type;
    };
    const Case cases[] = {
        {-1, -1}, {0, 0}, {1, 1}, {2, 2}, {3, 0}, {4, 1}, {5, 2}, {6, -1}, {100, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CPtnMatch::GetByteType(s, c.Index), c.Type) << c.Index;
    // A byte that is a lead byte by value but sits in trail position is a trail byte.
    EXPECT_EQ(CPtnMatch::GetByteType("\x81\x81\x81", 1), 2);
    EXPECT_EQ(CPtnMatch::GetByteType("\x81\x81\x81", 2), 1);
    EXPECT_EQ(CPtnMatch::GetByteType("", 0), -1);
}

}  // namespace

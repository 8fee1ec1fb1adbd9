// The resources of the built JreSelect.exe, read back as Windows finds them: every field of
// the dialog template, the icon, the logo, the version block, and nothing else in the file
// (no manifest).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// This build's JreSelect.exe, or the file named by --program=PATH: the 64-bit test build
// reads the shipped 32-bit executable so, where no 32-bit code can run.
std::string ProgramPath()
{
    const char kOption[] = "--program=";
    for (int i = 1; i < __argc; ++i) {
        if (strncmp(__argv[i], kOption, strlen(kOption)) == 0) {
            std::string path = __argv[i] + strlen(kOption);
            std::replace(path.begin(), path.end(), '/', '\\');
            return path;
        }
    }
    return JRESELECT_BIN_DIR_W "\\JreSelect.exe";
}
const char* Program()
{
    static const std::string path = ProgramPath();
    return path.c_str();
}
const WORD kUsEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

std::string Hex(DWORD value)
{
    char text[16];
    snprintf(text, sizeof(text), "0x%08lx", static_cast<unsigned long>(value));
    return text;
}

// The program file mapped as data: its code never runs, its resources can be found.
class ProgramImage {
public:
    ProgramImage() : module_(LoadLibraryExA(Program(), nullptr,
                                         LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ~ProgramImage()
    {
        if (module_ != nullptr)
            FreeLibrary(module_);
    }
    ProgramImage(const ProgramImage&) = delete;
    ProgramImage& operator=(const ProgramImage&) = delete;

    HMODULE module() const { return module_; }

    // The bytes of one resource in US English; empty when there is none.
    std::vector<BYTE> Bytes(LPCSTR type, WORD id) const
    {
        HRSRC found = FindResourceExA(module_, type, MAKEINTRESOURCEA(id), kUsEnglish);
        if (found == nullptr)
            return {};
        HGLOBAL loaded = LoadResource(module_, found);
        const BYTE* data = loaded != nullptr ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
        if (data == nullptr)
            return {};
        return std::vector<BYTE>(data, data + SizeofResource(module_, found));
    }

private:
    HMODULE module_;
};

// Reads a resource's fields in order. A read past the end yields zeros and clears ok, so a
// truncated resource fails the checks instead of reading foreign memory.
class Reader {
public:
    explicit Reader(const std::vector<BYTE>& data, size_t pos = 0) : data_(data), pos_(pos) {}

    bool ok() const { return ok_; }
    size_t pos() const { return pos_; }
    void Skip(size_t bytes) { Take(nullptr, bytes); }
    // Resource structures start on DWORD boundaries, counted from the resource's start.
    void Align() { Skip(((pos_ + 3) & ~size_t(3)) - pos_); }

    BYTE Byte() { BYTE v = 0; Take(&v, sizeof(v)); return v; }
    WORD Word() { WORD v = 0; Take(&v, sizeof(v)); return v; }
    short Short() { return static_cast<short>(Word()); }
    DWORD Dword() { DWORD v = 0; Take(&v, sizeof(v)); return v; }

    // A NUL-terminated UTF-16 text; characters beyond ASCII come back as '?'.
    std::string Text()
    {
        std::string text;
        for (WORD c = Word(); ok_ && c != 0; c = Word())
            text += c < 0x80 ? static_cast<char>(c) : '?';
        return text;
    }

    // A name or ordinal field: "" for none, "#n" for ordinal n, else the name.
    std::string NameOrOrdinal()
    {
        WORD first = Word();
        if (first == 0x0000)
            return "";
        if (first == 0xFFFF)
            return "#" + std::to_string(Word());
        std::string name(1, first < 0x80 ? static_cast<char>(first) : '?');
        return name + Text();
    }

private:
    void Take(void* out, size_t bytes)
    {
        if (!ok_ || bytes > data_.size() - pos_) {
            ok_ = false;
            if (out != nullptr)
                memset(out, 0, bytes);
            return;
        }
        if (out != nullptr)
            memcpy(out, data_.data() + pos_, bytes);
        pos_ += bytes;
    }

    const std::vector<BYTE>& data_;
    size_t pos_;
    bool ok_ = true;
};

// The predefined control classes travel as atoms or as names; both mean the same class.
std::string ControlClass(const std::string& raw)
{
    if (raw == "#128") return "button";
    if (raw == "#129") return "edit";
    if (raw == "#130") return "static";
    if (raw == "#131") return "listbox";
    if (raw == "#132") return "scrollbar";
    if (raw == "#133") return "combobox";
    std::string lower = raw;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return static_cast<char>(tolower(c)); });
    return lower;
}

struct Control {
    std::string cls;
    int id;
    short x, y, cx, cy;
    DWORD style;
    DWORD exStyle;
    DWORD helpId;
    std::string text;
    WORD creationBytes;
};

struct Dialog {
    bool extended;
    DWORD helpId;
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;
    std::string menu, cls, caption;
    WORD pointSize;
    WORD weight;
    BYTE italic;
    std::string font;
    std::vector<Control> controls;
    size_t trailingBytes;  // after the last control, beyond its DWORD padding
    bool ok;
};

// Either layout that a resource compiler may write: DLGTEMPLATE with DLGITEMTEMPLATEs, or
// DLGTEMPLATEEX with DLGITEMTEMPLATEEXs.
Dialog ParseDialog(const std::vector<BYTE>& data)
{
    Dialog d = {};
    Reader r(data);
    d.extended = data.size() >= 4 && data[0] == 1 && data[1] == 0 && data[2] == 0xFF && data[3] == 0xFF;
    WORD count;
    if (d.extended) {
        r.Skip(4);  // dlgVer, signature
        d.helpId = r.Dword();
        d.exStyle = r.Dword();
        d.style = r.Dword();
    } else {
        d.style = r.Dword();
        d.exStyle = r.Dword();
    }
    count = r.Word();
    d.x = r.Short();
    d.y = r.Short();
    d.cx = r.Short();
    d.cy = r.Short();
    d.menu = r.NameOrOrdinal();
    d.cls = r.NameOrOrdinal();
    d.caption = r.Text();
    if (d.style & DS_SETFONT) {
        d.pointSize = r.Word();
        if (d.extended) {
            d.weight = r.Word();
            d.italic = r.Byte();
            r.Byte();  // character set
        }
        d.font = r.Text();
    }
    for (WORD i = 0; i < count && r.ok(); ++i) {
        Control c = {};
        r.Align();
        if (d.extended) {
            c.helpId = r.Dword();
            c.exStyle = r.Dword();
            c.style = r.Dword();
        } else {
            c.style = r.Dword();
            c.exStyle = r.Dword();
        }
        c.x = r.Short();
        c.y = r.Short();
        c.cx = r.Short();
        c.cy = r.Short();
        c.id = d.extended ? static_cast<int>(r.Dword()) : r.Short();
        c.cls = ControlClass(r.NameOrOrdinal());
        c.text = r.NameOrOrdinal();
        c.creationBytes = r.Word();
        r.Skip(c.creationBytes);
        d.controls.push_back(c);
    }
    // The last control need not be padded: the resource may end right after it.
    d.ok = r.ok();
    const size_t padded = (r.pos() + 3) & ~size_t(3);
    d.trailingBytes = r.ok() && data.size() > padded ? data.size() - padded : 0;
    return d;
}

const char* TypeName(LPCSTR type)
{
    if (!IS_INTRESOURCE(type))
        return nullptr;
    switch (reinterpret_cast<ULONG_PTR>(type)) {
    case 1: return "RT_CURSOR";
    case 2: return "RT_BITMAP";
    case 3: return "RT_ICON";
    case 4: return "RT_MENU";
    case 5: return "RT_DIALOG";
    case 6: return "RT_STRING";
    case 9: return "RT_ACCELERATOR";
    case 10: return "RT_RCDATA";
    case 12: return "RT_GROUP_CURSOR";
    case 14: return "RT_GROUP_ICON";
    case 16: return "RT_VERSION";
    case 24: return "RT_MANIFEST";
    default: return nullptr;
    }
}

std::string ResourceName(LPCSTR name)
{
    if (IS_INTRESOURCE(name))
        return "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name));
    return name;
}

BOOL CALLBACK AddLanguage(HMODULE, LPCSTR type, LPCSTR name, WORD language, LONG_PTR param)
{
    const char* known = TypeName(type);
    std::string line = known != nullptr ? known : ResourceName(type);
    line += " " + ResourceName(name) + " " + std::to_string(language);
    reinterpret_cast<std::vector<std::string>*>(param)->push_back(line);
    return TRUE;
}

BOOL CALLBACK AddLanguages(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param)
{
    EnumResourceLanguagesA(module, type, name, AddLanguage, param);
    return TRUE;
}

BOOL CALLBACK AddNames(HMODULE module, LPSTR type, LONG_PTR param)
{
    EnumResourceNamesA(module, type, AddLanguages, param);
    return TRUE;
}

// Every resource in the file as "type name language", sorted.
std::vector<std::string> Inventory(HMODULE module)
{
    std::vector<std::string> lines;
    EnumResourceTypesA(module, AddNames, reinterpret_cast<LONG_PTR>(&lines));
    std::sort(lines.begin(), lines.end());
    return lines;
}

// One node of a VS_VERSIONINFO tree: its key and where its children lie.
struct VersionNode {
    std::string key;
    size_t childrenBegin;
    size_t end;
    bool ok;
};

VersionNode ReadVersionNode(const std::vector<BYTE>& data, size_t pos)
{
    VersionNode node = {};
    Reader r(data, pos);
    WORD length = r.Word();
    WORD valueLength = r.Word();
    WORD type = r.Word();
    node.key = r.Text();
    r.Align();
    r.Skip(type == 1 ? valueLength * 2u : valueLength);  // texts count characters
    r.Align();
    node.childrenBegin = r.pos();
    node.end = pos + length;
    node.ok = r.ok() && length >= 6 && node.end <= data.size() && node.childrenBegin <= node.end;
    return node;
}

std::vector<std::string> ChildKeys(const std::vector<BYTE>& data, const VersionNode& parent)
{
    std::vector<std::string> keys;
    size_t pos = parent.childrenBegin;
    while (pos + 6 <= parent.end) {
        VersionNode child = ReadVersionNode(data, pos);
        if (!child.ok || child.end > parent.end || child.end <= pos) {
            keys.push_back("<damaged>");
            break;
        }
        keys.push_back(child.key);
        pos = (child.end + 3) & ~size_t(3);
    }
    return keys;
}

VersionNode FindChild(const std::vector<BYTE>& data, const VersionNode& parent, const std::string& key)
{
    size_t pos = parent.childrenBegin;
    while (pos + 6 <= parent.end) {
        VersionNode child = ReadVersionNode(data, pos);
        if (!child.ok || child.end <= pos)
            break;
        if (child.key == key)
            return child;
        pos = (child.end + 3) & ~size_t(3);
    }
    return VersionNode{};
}

TEST(ResourceTest, FileHoldsOnlyTheFiveResourcesInUsEnglish)
{
    ProgramImage image;
    ASSERT_NE(nullptr, image.module()) << Program() << ": error " << GetLastError();
    std::vector<BYTE> group = image.Bytes(RT_GROUP_ICON, 101);
    ASSERT_GE(group.size(), 6u + 14u);
    WORD iconId = 0;
    memcpy(&iconId, &group[6 + 12], sizeof(iconId));

    // No RT_MANIFEST among them: the program asks for no execution level.
    std::vector<std::string> expected = {
        "RT_BITMAP #104 1033",
        "RT_DIALOG #103 1033",
        "RT_GROUP_ICON #101 1033",
        "RT_ICON #" + std::to_string(iconId) + " 1033",
        "RT_VERSION #1 1033",
    };
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, Inventory(image.module()));
}

TEST(ResourceTest, DialogFrame)
{
    ProgramImage image;
    ASSERT_NE(nullptr, image.module()) << Program() << ": error " << GetLastError();
    std::vector<BYTE> bytes = image.Bytes(RT_DIALOG, 103);
    ASSERT_FALSE(bytes.empty()) << "no dialog 103 in US English";
    Dialog d = ParseDialog(bytes);
    ASSERT_TRUE(d.ok) << "template ends early";

    EXPECT_EQ(Hex(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_CENTER | DS_3DLOOK), Hex(d.style));
    EXPECT_EQ(Hex(0), Hex(d.exStyle));
    EXPECT_EQ(0u, d.helpId);
    EXPECT_EQ(0, d.x);
    EXPECT_EQ(0, d.y);
    EXPECT_EQ(209, d.cx);
    EXPECT_EQ(162, d.cy);
    EXPECT_EQ("", d.menu) << "no menu";
    EXPECT_EQ("", d.cls) << "the default dialog class";
    EXPECT_EQ("Quillfern", d.caption);
    EXPECT_EQ(8, d.pointSize);
    EXPECT_EQ("MS Sans Serif", d.font);
    if (d.extended) {
        EXPECT_TRUE(d.weight == FW_DONTCARE || d.weight == FW_NORMAL) << d.weight;
        EXPECT_EQ(0, d.italic);
    }
    EXPECT_EQ(5u, d.controls.size());
    EXPECT_EQ(0u, d.trailingBytes);
}

TEST(ResourceTest, DialogControlsInOrder)
{
    struct Expected {
        const char* what;
        const char* cls;
        int id;
        short x, y, cx, cy;
        DWORD style;
        const char* text;
    };
    // The order is also the tab order: OK, Cancel, then the list.
    const Expected rows[] = {
        {"OK", "button", IDOK, 152, 7, 50, 14,
         WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, "OK"},
        {"Cancel", "button", IDCANCEL, 152, 24, 50, 14,
         WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, "Cancel"},
        {"logo", "static", -1, 7, 7, 135, 31,
         WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_REALSIZEIMAGE | SS_SUNKEN, "#104"},
        {"prompt", "static", -1, 33, 51, 142, 8,
         WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT, "Please choose a Java Runtime Environment:"},
        {"runtime list", "listbox", 1000, 7, 66, 195, 89,
         WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, ""},
    };
    ProgramImage image;
    ASSERT_NE(nullptr, image.module()) << Program() << ": error " << GetLastError();
    Dialog d = ParseDialog(image.Bytes(RT_DIALOG, 103));
    ASSERT_TRUE(d.ok) << "no dialog 103, or its template ends early";
    ASSERT_EQ(sizeof(rows) / sizeof(rows[0]), d.controls.size());

    for (size_t i = 0; i < d.controls.size(); ++i) {
        const Expected& want = rows[i];
        const Control& got = d.controls[i];
        SCOPED_TRACE(std::string("control ") + std::to_string(i + 1) + " (" + want.what + ")");
        EXPECT_EQ(want.cls, got.cls);
        EXPECT_EQ(want.id, got.id);
        EXPECT_EQ(want.x, got.x);
        EXPECT_EQ(want.y, got.y);
        EXPECT_EQ(want.cx, got.cx);
        EXPECT_EQ(want.cy, got.cy);
        EXPECT_EQ(Hex(want.style), Hex(got.style));
        EXPECT_EQ(Hex(0), Hex(got.exStyle));
        EXPECT_EQ(0u, got.helpId);
        EXPECT_EQ(want.text, got.text);
        EXPECT_EQ(0, got.creationBytes);
    }
}

TEST(ResourceTest, IconGroupHoldsOne32By32SixteenColourImage)
{
    ProgramImage image;
    ASSERT_NE(nullptr, image.module()) << Program() << ": error " << GetLastError();
    std::vector<BYTE> group = image.Bytes(RT_GROUP_ICON, 101);
    ASSERT_FALSE(group.empty()) << "no icon group 101 in US English";

    // GRPICONDIR and its one GRPICONDIRENTRY.
    Reader r(group);
    EXPECT_EQ(0, r.Word());
    EXPECT_EQ(1, r.Word()) << "resource type icon";
    EXPECT_EQ(1, r.Word()) << "images in the group";
    EXPECT_EQ(32, r.Byte()) << "width";
    EXPECT_EQ(32, r.Byte()) << "height";
    EXPECT_EQ(16, r.Byte()) << "colours";
    EXPECT_EQ(0, r.Byte());
    EXPECT_EQ(1, r.Word()) << "planes";
    EXPECT_EQ(4, r.Word()) << "bits per pixel";
    DWORD bytesInRes = r.Dword();
    WORD iconId = r.Word();
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(group.size(), r.pos()) << "one entry only";

    std::vector<BYTE> icon = image.Bytes(RT_ICON, iconId);
    ASSERT_FALSE(icon.empty()) << "no icon image " << iconId;
    EXPECT_EQ(bytesInRes, icon.size());
    BITMAPINFOHEADER header;
    ASSERT_GE(icon.size(), sizeof(header));
    memcpy(&header, icon.data(), sizeof(header));
    EXPECT_EQ(sizeof(header), header.biSize);
    EXPECT_EQ(32, header.biWidth);
    EXPECT_EQ(64, header.biHeight) << "colour image and mask";
    EXPECT_EQ(1, header.biPlanes);
    EXPECT_EQ(4, header.biBitCount);
    EXPECT_EQ(static_cast<DWORD>(BI_RGB), header.biCompression);
    const size_t palette = 16 * 4, colours = 32 * 32 / 2, mask = 32 * 32 / 8;
    ASSERT_EQ(sizeof(header) + palette + colours + mask, icon.size());

    // The mask must cut a shape out: neither all opaque nor all transparent.
    const BYTE* maskBits = icon.data() + sizeof(header) + palette + colours;
    size_t transparent = 0;
    for (size_t i = 0; i < mask; ++i)
        for (int bit = 0; bit < 8; ++bit)
            transparent += (maskBits[i] >> bit) & 1;
    EXPECT_GT(transparent, 0u);
    EXPECT_LT(transparent, 32u * 32u);

    // And the system makes an icon of it, choosing this image for the standard size.
    EXPECT_EQ(iconId, LookupIconIdFromDirectoryEx(group.data(), TRUE, 32, 32, LR_DEFAULTCOLOR));
    HICON handle = CreateIconFromResourceEx(icon.data(), static_cast<DWORD>(icon.size()), TRUE, 0x00030000,
                                            32, 32, LR_DEFAULTCOLOR);
    ASSERT_NE(nullptr, handle);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(handle, &info));
    BITMAP bitmap = {};
    ASSERT_NE(nullptr, info.hbmColor);
    GetObjectA(info.hbmColor, sizeof(bitmap), &bitmap);
    EXPECT_EQ(32, bitmap.bmWidth);
    EXPECT_EQ(32, bitmap.bmHeight);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(handle);
}

TEST(ResourceTest, LogoIs200By49At24BitsPerPixel)
{
    ProgramImage image;
    ASSERT_NE(nullptr, image.module()) << Program() << ": error " << GetLastError();
    std::vector<BYTE> logo = image.Bytes(RT_BITMAP, 104);
    ASSERT_FALSE(logo.empty()) << "no bitmap 104 in US English";
    BITMAPINFOHEADER header;
    ASSERT_GE(logo.size(), sizeof(header));
    memcpy(&header, logo.data(), sizeof(header));
    EXPECT_EQ(sizeof(header), header.biSize);
    EXPECT_EQ(200, header.biWidth);
    EXPECT_EQ(49, header.biHeight);
    EXPECT_EQ(1, header.biPlanes);
    EXPECT_EQ(24, header.biBitCount);
    EXPECT_EQ(static_cast<DWORD>(BI_RGB), header.biCompression);
    EXPECT_EQ(0u, header.biClrUsed) << "no palette";
    EXPECT_EQ(sizeof(header) + 600u * 49u, logo.size()) << "rows of 600 bytes, no palette";
}

TEST(ResourceTest, VersionInformation)
{
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(Program(), &ignored);
    ASSERT_NE(0u, size) << Program() << ": error " << GetLastError();
    std::vector<BYTE> info(size, 0xbd);
    ASSERT_TRUE(GetFileVersionInfoA(Program(), 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_EQ(sizeof(VS_FIXEDFILEINFO), length);
    EXPECT_EQ(Hex(0xFEEF04BD), Hex(fixed->dwSignature));
    EXPECT_EQ(Hex(0x00010000), Hex(fixed->dwFileVersionMS)) << "1.0";
    EXPECT_EQ(Hex(0x00000002), Hex(fixed->dwFileVersionLS)) << "0.2";
    EXPECT_EQ(Hex(0x00010000), Hex(fixed->dwProductVersionMS)) << "1.0";
    EXPECT_EQ(Hex(0x00000002), Hex(fixed->dwProductVersionLS)) << "0.2";
    EXPECT_EQ(Hex(0), Hex(fixed->dwFileFlags));
    EXPECT_EQ(Hex(VOS_NT_WINDOWS32), Hex(fixed->dwFileOS));
    EXPECT_EQ(Hex(VFT_APP), Hex(fixed->dwFileType));
    EXPECT_EQ(Hex(VFT2_UNKNOWN), Hex(fixed->dwFileSubtype));

    DWORD* translations = nullptr;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                               &length));
    ASSERT_EQ(sizeof(DWORD), length) << "one translation";
    EXPECT_EQ(Hex(MAKELONG(0x0409, 1200)), Hex(translations[0])) << "US English, Unicode";

    struct Text {
        const char* name;
        const char* value;  // null: any text but an empty one
    };
    const Text texts[] = {
        {"FileVersion", "1, 0, 0, 2"},
        {"ProductVersion", "1, 0, 0, 2"},
        {"CompanyName", nullptr},
        {"FileDescription", nullptr},
        {"ProductName", nullptr},
        {"LegalCopyright", nullptr},
    };
    for (const Text& t : texts) {
        SCOPED_TRACE(t.name);
        char* value = nullptr;
        std::string path = std::string("\\StringFileInfo\\040904b0\\") + t.name;
        ASSERT_TRUE(VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length));
        ASSERT_NE(nullptr, value);
        if (t.value != nullptr)
            EXPECT_STREQ(t.value, value);
        else
            EXPECT_GT(strlen(value), 0u);
    }

    // The one string table: the raw block holds "040904b0" and no other.
    ProgramImage image;
    ASSERT_NE(nullptr, image.module());
    std::vector<BYTE> raw = image.Bytes(RT_VERSION, 1);
    ASSERT_FALSE(raw.empty()) << "no version information 1 in US English";
    VersionNode root = ReadVersionNode(raw, 0);
    ASSERT_TRUE(root.ok);
    EXPECT_EQ("VS_VERSION_INFO", root.key);
    EXPECT_EQ(std::vector<std::string>({"StringFileInfo", "VarFileInfo"}), ChildKeys(raw, root));
    VersionNode strings = FindChild(raw, root, "StringFileInfo");
    ASSERT_TRUE(strings.ok);
    EXPECT_EQ(std::vector<std::string>({"040904b0"}), ChildKeys(raw, strings));
}

}  // namespace

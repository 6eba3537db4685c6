#include "resource_script.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <utility>

namespace wordoria::platform {
namespace {

// ---------------------------------------------------------------------------
// Standard names

struct NamedValue {
    std::string_view name;
    int64_t value;
};

// The constants <windows.h> gives a resource script (it leaves out the GDI
// ones, such as FW_BOLD, for rc) that a menu or dialog template is written
// with, at their Win32 values. Our own windows.h carries only what the
// program's code calls, so the reader keeps its own list.
constexpr NamedValue kStandardNames[] = {
    // Window styles
    {"WS_OVERLAPPED", 0x00000000}, {"WS_TILED", 0x00000000},
    {"WS_POPUP", 0x80000000}, {"WS_CHILD", 0x40000000}, {"WS_CHILDWINDOW", 0x40000000},
    {"WS_MINIMIZE", 0x20000000}, {"WS_ICONIC", 0x20000000}, {"WS_VISIBLE", 0x10000000},
    {"WS_DISABLED", 0x08000000}, {"WS_CLIPSIBLINGS", 0x04000000},
    {"WS_CLIPCHILDREN", 0x02000000}, {"WS_MAXIMIZE", 0x01000000},
    {"WS_CAPTION", 0x00C00000}, {"WS_BORDER", 0x00800000}, {"WS_DLGFRAME", 0x00400000},
    {"WS_VSCROLL", 0x00200000}, {"WS_HSCROLL", 0x00100000}, {"WS_SYSMENU", 0x00080000},
    {"WS_THICKFRAME", 0x00040000}, {"WS_SIZEBOX", 0x00040000},
    {"WS_GROUP", 0x00020000}, {"WS_TABSTOP", 0x00010000},
    {"WS_MINIMIZEBOX", 0x00020000}, {"WS_MAXIMIZEBOX", 0x00010000},
    {"WS_OVERLAPPEDWINDOW", 0x00CF0000}, {"WS_TILEDWINDOW", 0x00CF0000},
    {"WS_POPUPWINDOW", 0x80880000},
    // Extended window styles
    {"WS_EX_DLGMODALFRAME", 0x00000001}, {"WS_EX_NOPARENTNOTIFY", 0x00000004},
    {"WS_EX_TOPMOST", 0x00000008}, {"WS_EX_ACCEPTFILES", 0x00000010},
    {"WS_EX_TRANSPARENT", 0x00000020}, {"WS_EX_MDICHILD", 0x00000040},
    {"WS_EX_TOOLWINDOW", 0x00000080}, {"WS_EX_WINDOWEDGE", 0x00000100},
    {"WS_EX_CLIENTEDGE", 0x00000200}, {"WS_EX_CONTEXTHELP", 0x00000400},
    {"WS_EX_RIGHT", 0x00001000}, {"WS_EX_LEFT", 0x00000000},
    {"WS_EX_RTLREADING", 0x00002000}, {"WS_EX_LTRREADING", 0x00000000},
    {"WS_EX_LEFTSCROLLBAR", 0x00004000}, {"WS_EX_RIGHTSCROLLBAR", 0x00000000},
    {"WS_EX_CONTROLPARENT", 0x00010000}, {"WS_EX_STATICEDGE", 0x00020000},
    {"WS_EX_APPWINDOW", 0x00040000}, {"WS_EX_OVERLAPPEDWINDOW", 0x00000300},
    {"WS_EX_PALETTEWINDOW", 0x00000188}, {"WS_EX_LAYERED", 0x00080000},
    {"WS_EX_NOINHERITLAYOUT", 0x00100000}, {"WS_EX_LAYOUTRTL", 0x00400000},
    {"WS_EX_COMPOSITED", 0x02000000}, {"WS_EX_NOACTIVATE", 0x08000000},
    // Dialog styles
    {"DS_ABSALIGN", 0x0001}, {"DS_SYSMODAL", 0x0002}, {"DS_3DLOOK", 0x0004},
    {"DS_FIXEDSYS", 0x0008}, {"DS_NOFAILCREATE", 0x0010}, {"DS_LOCALEDIT", 0x0020},
    {"DS_SETFONT", 0x0040}, {"DS_MODALFRAME", 0x0080}, {"DS_NOIDLEMSG", 0x0100},
    {"DS_SETFOREGROUND", 0x0200}, {"DS_CONTROL", 0x0400}, {"DS_CENTER", 0x0800},
    {"DS_CENTERMOUSE", 0x1000}, {"DS_CONTEXTHELP", 0x2000}, {"DS_SHELLFONT", 0x0048},
    // Button styles
    {"BS_PUSHBUTTON", 0x0000}, {"BS_DEFPUSHBUTTON", 0x0001}, {"BS_CHECKBOX", 0x0002},
    {"BS_AUTOCHECKBOX", 0x0003}, {"BS_RADIOBUTTON", 0x0004}, {"BS_3STATE", 0x0005},
    {"BS_AUTO3STATE", 0x0006}, {"BS_GROUPBOX", 0x0007}, {"BS_USERBUTTON", 0x0008},
    {"BS_AUTORADIOBUTTON", 0x0009}, {"BS_PUSHBOX", 0x000A}, {"BS_OWNERDRAW", 0x000B},
    {"BS_TYPEMASK", 0x000F}, {"BS_LEFTTEXT", 0x0020}, {"BS_RIGHTBUTTON", 0x0020},
    {"BS_TEXT", 0x0000}, {"BS_ICON", 0x0040}, {"BS_BITMAP", 0x0080},
    {"BS_LEFT", 0x0100}, {"BS_RIGHT", 0x0200}, {"BS_CENTER", 0x0300},
    {"BS_TOP", 0x0400}, {"BS_BOTTOM", 0x0800}, {"BS_VCENTER", 0x0C00},
    {"BS_PUSHLIKE", 0x1000}, {"BS_MULTILINE", 0x2000}, {"BS_NOTIFY", 0x4000},
    {"BS_FLAT", 0x8000},
    // Edit styles
    {"ES_LEFT", 0x0000}, {"ES_CENTER", 0x0001}, {"ES_RIGHT", 0x0002},
    {"ES_MULTILINE", 0x0004}, {"ES_UPPERCASE", 0x0008}, {"ES_LOWERCASE", 0x0010},
    {"ES_PASSWORD", 0x0020}, {"ES_AUTOVSCROLL", 0x0040}, {"ES_AUTOHSCROLL", 0x0080},
    {"ES_NOHIDESEL", 0x0100}, {"ES_OEMCONVERT", 0x0400}, {"ES_READONLY", 0x0800},
    {"ES_WANTRETURN", 0x1000}, {"ES_NUMBER", 0x2000},
    // Static styles
    {"SS_LEFT", 0x0000}, {"SS_CENTER", 0x0001}, {"SS_RIGHT", 0x0002}, {"SS_ICON", 0x0003},
    {"SS_BLACKRECT", 0x0004}, {"SS_GRAYRECT", 0x0005}, {"SS_WHITERECT", 0x0006},
    {"SS_BLACKFRAME", 0x0007}, {"SS_GRAYFRAME", 0x0008}, {"SS_WHITEFRAME", 0x0009},
    {"SS_USERITEM", 0x000A}, {"SS_SIMPLE", 0x000B}, {"SS_LEFTNOWORDWRAP", 0x000C},
    {"SS_OWNERDRAW", 0x000D}, {"SS_BITMAP", 0x000E}, {"SS_ENHMETAFILE", 0x000F},
    {"SS_ETCHEDHORZ", 0x0010}, {"SS_ETCHEDVERT", 0x0011}, {"SS_ETCHEDFRAME", 0x0012},
    {"SS_TYPEMASK", 0x001F}, {"SS_REALSIZECONTROL", 0x0040}, {"SS_NOPREFIX", 0x0080},
    {"SS_NOTIFY", 0x0100}, {"SS_CENTERIMAGE", 0x0200}, {"SS_RIGHTJUST", 0x0400},
    {"SS_REALSIZEIMAGE", 0x0800}, {"SS_SUNKEN", 0x1000}, {"SS_EDITCONTROL", 0x2000},
    {"SS_ENDELLIPSIS", 0x4000}, {"SS_PATHELLIPSIS", 0x8000}, {"SS_WORDELLIPSIS", 0xC000},
    {"SS_ELLIPSISMASK", 0xC000},
    // List box styles
    {"LBS_NOTIFY", 0x0001}, {"LBS_SORT", 0x0002}, {"LBS_NOREDRAW", 0x0004},
    {"LBS_MULTIPLESEL", 0x0008}, {"LBS_OWNERDRAWFIXED", 0x0010},
    {"LBS_OWNERDRAWVARIABLE", 0x0020}, {"LBS_HASSTRINGS", 0x0040},
    {"LBS_USETABSTOPS", 0x0080}, {"LBS_NOINTEGRALHEIGHT", 0x0100},
    {"LBS_MULTICOLUMN", 0x0200}, {"LBS_WANTKEYBOARDINPUT", 0x0400},
    {"LBS_EXTENDEDSEL", 0x0800}, {"LBS_DISABLENOSCROLL", 0x1000}, {"LBS_NODATA", 0x2000},
    {"LBS_NOSEL", 0x4000}, {"LBS_COMBOBOX", 0x8000}, {"LBS_STANDARD", 0x00A00003},
    // Combo box styles
    {"CBS_SIMPLE", 0x0001}, {"CBS_DROPDOWN", 0x0002}, {"CBS_DROPDOWNLIST", 0x0003},
    {"CBS_OWNERDRAWFIXED", 0x0010}, {"CBS_OWNERDRAWVARIABLE", 0x0020},
    {"CBS_AUTOHSCROLL", 0x0040}, {"CBS_OEMCONVERT", 0x0080}, {"CBS_SORT", 0x0100},
    {"CBS_HASSTRINGS", 0x0200}, {"CBS_NOINTEGRALHEIGHT", 0x0400},
    {"CBS_DISABLENOSCROLL", 0x0800}, {"CBS_UPPERCASE", 0x2000}, {"CBS_LOWERCASE", 0x4000},
    // Scroll bar styles
    {"SBS_HORZ", 0x0000}, {"SBS_VERT", 0x0001}, {"SBS_TOPALIGN", 0x0002},
    {"SBS_LEFTALIGN", 0x0002}, {"SBS_BOTTOMALIGN", 0x0004}, {"SBS_RIGHTALIGN", 0x0004},
    {"SBS_SIZEBOXTOPLEFTALIGN", 0x0002}, {"SBS_SIZEBOXBOTTOMRIGHTALIGN", 0x0004},
    {"SBS_SIZEBOX", 0x0008}, {"SBS_SIZEGRIP", 0x0010},
    // Dialog box command ids
    {"IDOK", 1}, {"IDCANCEL", 2}, {"IDABORT", 3}, {"IDRETRY", 4}, {"IDIGNORE", 5},
    {"IDYES", 6}, {"IDNO", 7}, {"IDCLOSE", 8}, {"IDHELP", 9},
    // Languages of a LANGUAGE statement
    {"LANG_NEUTRAL", 0x00}, {"LANG_ENGLISH", 0x09}, {"LANG_JAPANESE", 0x11},
    {"SUBLANG_NEUTRAL", 0x00}, {"SUBLANG_DEFAULT", 0x01}, {"SUBLANG_SYS_DEFAULT", 0x02},
    {"SUBLANG_ENGLISH_US", 0x01},
};

constexpr uint32_t kWsPopup = 0x80000000;
constexpr uint32_t kWsChild = 0x40000000;
constexpr uint32_t kWsVisible = 0x10000000;
constexpr uint32_t kWsCaption = 0x00C00000;
constexpr uint32_t kWsBorder = 0x00800000;
constexpr uint32_t kWsSysMenu = 0x00080000;
constexpr uint32_t kDsSetFont = 0x0040;
constexpr int kDefaultCharset = 1;

// Menu item options, as the MF_ flags they stand for.
constexpr NamedValue kMenuOptions[] = {
    {"GRAYED", 0x0001}, {"INACTIVE", 0x0002}, {"CHECKED", 0x0008},
    {"MENUBARBREAK", 0x0020}, {"MENUBREAK", 0x0040}, {"HELP", 0x4000},
};

// Load and memory options rc still accepts after a resource type; they mean
// nothing since 32-bit Windows.
constexpr std::string_view kMemoryOptions[] = {
    "PRELOAD", "LOADONCALL", "FIXED", "MOVEABLE", "DISCARDABLE", "PURE", "IMPURE", "SHARED", "NONSHARED",
};

// The window classes CONTROL may name without quotes.
constexpr std::string_view kClassKeywords[] = {
    "BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR", "COMBOBOX",
};

// Control statements that add styles of their own; the program's templates
// spell every control out with CONTROL instead.
constexpr std::string_view kShorthandControls[] = {
    "LTEXT", "RTEXT", "CTEXT", "PUSHBUTTON", "DEFPUSHBUTTON", "PUSHBOX", "EDITTEXT",
    "BEDIT", "HEDIT", "IEDIT", "GROUPBOX", "CHECKBOX", "AUTOCHECKBOX", "STATE3",
    "AUTO3STATE", "RADIOBUTTON", "AUTORADIOBUTTON", "LISTBOX", "COMBOBOX", "SCROLLBAR",
    "ICON",
};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i] >= 'a' && a[i] <= 'z' ? a[i] - 'a' + 'A' : a[i];
        char y = b[i] >= 'a' && b[i] <= 'z' ? b[i] - 'a' + 'A' : b[i];
        if (x != y) return false;
    }
    return true;
}

template <typename List>
bool ContainsIgnoringCase(const List& list, std::string_view word) {
    for (std::string_view entry : list) {
        if (EqualsIgnoringCase(entry, word)) return true;
    }
    return false;
}

bool IsNameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsNameChar(char c) { return IsNameStart(c) || IsDigit(c); }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (IsBlank(text.front()) || text.front() == '\n')) text.remove_prefix(1);
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '\n')) text.remove_suffix(1);
    return text;
}

// ---------------------------------------------------------------------------
// Errors

struct ScriptError {
    int line;
    std::string message;
};

[[noreturn]] void Fail(int line, std::string message) { throw ScriptError{line, std::move(message)}; }

// ---------------------------------------------------------------------------
// Text

void AppendUtf8(std::string* out, uint32_t codePoint) {
    if (codePoint < 0x80) {
        out->push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        out->push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
        out->push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        out->push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
}

// A script saved in another encoding shows up here, in its first string.
bool IsUtf8(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        auto lead = static_cast<unsigned char>(text[i]);
        size_t length;
        uint32_t min;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead < 0xE0) {
            length = 2, min = 0x80;
        } else if (lead >= 0xE0 && lead < 0xF0) {
            length = 3, min = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, min = 0x10000;
        } else {
            return false;
        }
        if (i + length > text.size()) return false;
        uint32_t codePoint = lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k) {
            auto trail = static_cast<unsigned char>(text[i + k]);
            if ((trail & 0xC0) != 0x80) return false;
            codePoint = codePoint << 6 | (trail & 0x3F);
        }
        if (codePoint < min || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint < 0xE000)) return false;
        i += length;
    }
    return true;
}

// ---------------------------------------------------------------------------
// Tokens

enum class TokenKind { End, Name, Number, String, Punct };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string_view spelling;  // as written; for a string, what stands between the quotes
    int64_t number = 0;
    bool wide = false;  // L"..."
    int line = 0;
};

bool IsKeyword(const Token& token, std::string_view keyword) {
    return token.kind == TokenKind::Name && EqualsIgnoringCase(token.spelling, keyword);
}

bool IsPunct(const Token& token, char c) {
    return token.kind == TokenKind::Punct && token.spelling[0] == c;
}

std::string Describe(const Token& token) {
    switch (token.kind) {
    case TokenKind::End:
        return "the end of the script";
    case TokenKind::String:
        return "\"" + std::string(token.spelling) + "\"";
    default:
        return "'" + std::string(token.spelling) + "'";
    }
}

// Decimal, 0x hex or 0o octal, with the L and U suffixes C allows.
std::optional<int64_t> ParseNumber(std::string_view spelling) {
    while (!spelling.empty() && (spelling.back() == 'L' || spelling.back() == 'l' || spelling.back() == 'U' ||
                                 spelling.back() == 'u')) {
        spelling.remove_suffix(1);
    }
    int base = 10;
    if (spelling.size() > 2 && spelling[0] == '0' && (spelling[1] == 'x' || spelling[1] == 'X')) {
        base = 16;
        spelling.remove_prefix(2);
    } else if (spelling.size() > 2 && spelling[0] == '0' && (spelling[1] == 'o' || spelling[1] == 'O')) {
        base = 8;
        spelling.remove_prefix(2);
    }
    if (spelling.empty()) return std::nullopt;
    int64_t value = 0;
    for (char c : spelling) {
        int digit = IsDigit(c) ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : 99;
        if (digit >= base) return std::nullopt;
        value = value * base + digit;
        if (value > 0xFFFFFFFFLL) return std::nullopt;  // the script's numbers are 32-bit
    }
    return value;
}

class DirectiveSink {
public:
    virtual void OnDirective(std::string_view text, int line) = 0;

protected:
    ~DirectiveSink() = default;
};

// Turns text into tokens on demand, so that a #define in the script takes
// effect from its own line on. Without a sink, '#' is not accepted.
class Lexer {
public:
    Lexer(std::string_view text, DirectiveSink* directives) : text_(text), directives_(directives) {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;  // a byte-order mark
    }

    const Token& Peek() {
        if (!peeked_) {
            next_ = Scan();
            peeked_ = true;
        }
        return next_;
    }

    Token Next() {
        Peek();
        peeked_ = false;
        return next_;
    }

private:
    char At(size_t pos) const { return pos < text_.size() ? text_[pos] : '\0'; }

    void SkipBlanks() {
        while (pos_ < text_.size()) {
            char c = text_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
                atLineStart_ = true;
            } else if (IsBlank(c)) {
                ++pos_;
            } else if (c == '/' && At(pos_ + 1) == '/') {
                while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
            } else if (c == '/' && At(pos_ + 1) == '*') {
                size_t end = text_.find("*/", pos_ + 2);
                if (end == std::string_view::npos) Fail(line_, "the comment begun here has no end");
                for (size_t i = pos_; i < end; ++i) {
                    if (text_[i] == '\n') {
                        ++line_;
                        atLineStart_ = true;
                    }
                }
                pos_ = end + 2;
            } else if (c == '#' && atLineStart_) {
                if (directives_ == nullptr) Fail(line_, "unexpected '#'");
                size_t end = text_.find('\n', pos_);
                if (end == std::string_view::npos) end = text_.size();
                std::string_view directive = text_.substr(pos_ + 1, end - pos_ - 1);
                pos_ = end;
                directives_->OnDirective(directive, line_);
            } else {
                return;
            }
        }
    }

    Token Scan() {
        SkipBlanks();
        Token token;
        token.line = line_;
        if (pos_ >= text_.size()) return token;
        atLineStart_ = false;
        size_t start = pos_;
        char c = text_[pos_];
        if (c == 'L' && At(pos_ + 1) == '"') {
            ++pos_;
            token.wide = true;
            ScanString(&token);
        } else if (IsNameStart(c)) {
            while (IsNameChar(At(pos_))) ++pos_;
            token.kind = TokenKind::Name;
            token.spelling = text_.substr(start, pos_ - start);
        } else if (IsDigit(c)) {
            while (IsNameChar(At(pos_))) ++pos_;
            token.kind = TokenKind::Number;
            token.spelling = text_.substr(start, pos_ - start);
            std::optional<int64_t> value = ParseNumber(token.spelling);
            if (!value) Fail(line_, "'" + std::string(token.spelling) + "' is not a number");
            token.number = *value;
        } else if (c == '"') {
            ScanString(&token);
        } else if (std::string_view(",|(){}+-*/%&^~").find(c) != std::string_view::npos) {
            ++pos_;
            token.kind = TokenKind::Punct;
            token.spelling = text_.substr(start, 1);
        } else if (static_cast<unsigned char>(c) >= 0x80) {
            Fail(line_, "text outside quotes");
        } else {
            Fail(line_, "unexpected character '" + std::string(1, c) + "'");
        }
        return token;
    }

    // Finds the end of a string; the escapes are read when the text is used.
    void ScanString(Token* token) {
        size_t start = ++pos_;
        for (;;) {
            char c = At(pos_);
            if (pos_ >= text_.size() || c == '\n') Fail(token->line, "the string begun here has no closing quote");
            if (c == '\\' && At(pos_ + 1) != '\n') {
                pos_ += 2;
            } else if (c == '"' && At(pos_ + 1) == '"') {
                pos_ += 2;
            } else if (c == '"') {
                break;
            } else {
                ++pos_;
            }
        }
        token->kind = TokenKind::String;
        token->spelling = text_.substr(start, pos_ - start);
        ++pos_;
    }

    std::string_view text_;
    DirectiveSink* directives_;
    size_t pos_ = 0;
    int line_ = 1;
    bool atLineStart_ = true;
    Token next_;
    bool peeked_ = false;
};

// The text of a string token with rc's escapes: "" for a quote, and the
// backslash escapes of C, where \a stands for the 0x08 that right-aligns a
// menu item's shortcut.
std::string DecodeString(const Token& token) {
    std::string_view s = token.spelling;
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == '"') {  // the first of a doubled quote
            out.push_back('"');
            ++i;
        } else if (c != '\\') {
            out.push_back(c);
        } else {
            if (++i == s.size()) Fail(token.line, "a string that ends in a lone backslash");
            char e = s[i];
            switch (e) {
            case 'n': out.push_back('\n'); break;
            case 'r': out.push_back('\r'); break;
            case 't': out.push_back('\t'); break;
            case 'a': out.push_back('\x08'); break;
            case '\\': case '"': case '\'': case '?': out.push_back(e); break;
            case 'x': case '0': case '1': case '2': case '3': case '4': case '5': case '6': case '7': {
                bool hex = e == 'x';
                size_t maxDigits = hex ? (token.wide ? 4 : 2) : 3;
                size_t first = hex ? i + 1 : i;
                size_t end = first;
                uint32_t value = 0;
                while (end < s.size() && end - first < maxDigits) {
                    char d = s[end];
                    int digit = IsDigit(d) ? d - '0' : !hex ? 99
                              : d >= 'a' && d <= 'f' ? d - 'a' + 10 : d >= 'A' && d <= 'F' ? d - 'A' + 10 : 99;
                    if (digit >= (hex ? 16 : 8)) break;
                    value = value * (hex ? 16 : 8) + digit;
                    ++end;
                }
                if (end == first) Fail(token.line, "'\\x' without hex digits in a string");
                // A byte above 0x7F would be a code-page character, not UTF-8.
                if (value >= 0x80 && !token.wide) Fail(token.line, "a non-ASCII escape in a narrow string");
                if (value >= 0xD800 && value < 0xE000) Fail(token.line, "an escape for half a surrogate pair");
                AppendUtf8(&out, value);
                i = end - 1;
                break;
            }
            default:
                Fail(token.line, "unknown escape '\\" + std::string(1, e) + "' in a string");
            }
        }
    }
    if (!IsUtf8(out)) Fail(token.line, "text that is not UTF-8");
    return out;
}

// ---------------------------------------------------------------------------
// Names and expressions

class NameTable {
public:
    NameTable(const std::map<std::string, long>* defines, bool standardNames)
        : defines_(defines), standardNames_(standardNames) {}

    std::optional<int64_t> Find(std::string_view name) const {
        std::string key(name);
        if (undefined_.count(key) != 0) return std::nullopt;
        if (auto it = local_.find(key); it != local_.end()) return it->second;
        if (defines_ != nullptr) {
            if (auto it = defines_->find(key); it != defines_->end()) return it->second;
        }
        if (standardNames_) {
            for (const NamedValue& entry : kStandardNames) {
                if (entry.name == name) return entry.value;
            }
        }
        return std::nullopt;
    }

    void Define(const std::string& name, int64_t value) {
        undefined_.erase(name);
        local_[name] = value;
    }

    void Undefine(const std::string& name) {
        local_.erase(name);
        undefined_.insert(name);
    }

private:
    const std::map<std::string, long>* defines_;
    bool standardNames_;
    std::map<std::string, int64_t> local_;
    std::set<std::string> undefined_;
};

// C's integer expressions as rc reads them, plus the style form in which
// "NOT name" clears bits from what stands to its left.
class ExpressionReader {
public:
    ExpressionReader(Lexer* lexer, const NameTable* names) : lexer_(lexer), names_(names) {}

    int64_t Number(const char* what) {
        what_ = what;
        return Or();
    }

    uint32_t Style(uint32_t style, const char* what) {
        what_ = what;
        do {
            if (IsKeyword(lexer_->Peek(), "NOT")) {
                lexer_->Next();
                style &= ~static_cast<uint32_t>(Xor());
            } else {
                style |= static_cast<uint32_t>(Xor());
            }
        } while (Accept('|'));
        return style;
    }

private:
    bool Accept(char c) {
        if (!IsPunct(lexer_->Peek(), c)) return false;
        lexer_->Next();
        return true;
    }

    int64_t Or() {
        int64_t value = Xor();
        while (Accept('|')) value |= Xor();
        return value;
    }

    int64_t Xor() {
        int64_t value = And();
        while (Accept('^')) value ^= And();
        return value;
    }

    int64_t And() {
        int64_t value = Sum();
        while (Accept('&')) value &= Sum();
        return value;
    }

    int64_t Sum() {
        int64_t value = Product();
        for (;;) {
            if (Accept('+')) {
                value += Product();
            } else if (Accept('-')) {
                value -= Product();
            } else {
                return value;
            }
        }
    }

    int64_t Product() {
        int64_t value = Unary();
        for (;;) {
            const Token& next = lexer_->Peek();
            if (!IsPunct(next, '*') && !IsPunct(next, '/') && !IsPunct(next, '%')) return value;
            Token op = lexer_->Next();
            int64_t right = Unary();
            char c = op.spelling[0];
            if (c == '*') {
                value *= right;
            } else if (right == 0) {
                Fail(op.line, "division by zero");
            } else {
                value = c == '/' ? value / right : value % right;
            }
        }
    }

    int64_t Unary() {
        if (Accept('-')) return -Unary();
        if (Accept('+')) return Unary();
        if (Accept('~')) return ~Unary();
        return Primary();
    }

    int64_t Primary() {
        Token token = lexer_->Next();
        if (token.kind == TokenKind::Number) return token.number;
        if (IsPunct(token, '(')) {
            int64_t value = Or();
            if (!Accept(')')) Fail(lexer_->Peek().line, "expected ')', found " + Describe(lexer_->Peek()));
            return value;
        }
        if (token.kind == TokenKind::Name) {
            if (std::optional<int64_t> value = names_->Find(token.spelling)) return *value;
            if (IsKeyword(token, "NOT")) Fail(token.line, "NOT stands only before a name or number of a style");
            Fail(token.line, "unknown name '" + std::string(token.spelling) + "'");
        }
        Fail(token.line, std::string("expected ") + what_ + ", found " + Describe(token));
    }

    Lexer* lexer_;
    const NameTable* names_;
    const char* what_ = "a number";
};

// The name and value of "define NAME value" (the text after '#'), when the
// value is a number the reader can work out.
std::optional<std::pair<std::string, int64_t>> ReadDefine(std::string_view directive, const NameTable& names) {
    directive = Trim(directive);
    if (directive.substr(0, 6) != "define" || directive.size() < 7 || !IsBlank(directive[6])) return std::nullopt;
    directive = Trim(directive.substr(7));
    size_t end = 0;
    while (end < directive.size() && IsNameChar(directive[end])) ++end;
    if (end == 0 || !IsNameStart(directive[0]) || (end < directive.size() && directive[end] == '(')) {
        return std::nullopt;  // not a name, or a macro with parameters
    }
    std::string name(directive.substr(0, end));
    std::string_view value = Trim(directive.substr(end));
    if (value.empty()) return std::nullopt;
    try {
        Lexer lexer(value, nullptr);
        ExpressionReader reader(&lexer, &names);
        int64_t number = reader.Number("a number");
        if (lexer.Peek().kind != TokenKind::End) return std::nullopt;
        return std::make_pair(std::move(name), number);
    } catch (const ScriptError&) {
        return std::nullopt;
    }
}

// Blanks out the comments of a header and joins its continued lines,
// keeping the line count.
std::string StripComments(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, 2, "//") == 0) {
            while (i < text.size() && text[i] != '\n') ++i;
        } else if (text.compare(i, 2, "/*") == 0) {
            size_t end = text.find("*/", i + 2);
            end = end == std::string_view::npos ? text.size() : end + 2;
            out.push_back(' ');
            for (; i < end; ++i) {
                if (text[i] == '\n') out.push_back('\n');
            }
        } else if (text[i] == '"' || text[i] == '\'') {
            // A quoted "//" is no comment.
            char quote = text[i];
            out.push_back(text[i++]);
            while (i < text.size() && text[i] != quote && text[i] != '\n') {
                if (text[i] == '\\' && i + 1 < text.size()) out.push_back(text[i++]);
                out.push_back(text[i++]);
            }
        } else if (text[i] == '\\' && text.compare(i + 1, 1, "\n") == 0) {
            i += 2;
        } else if (text[i] == '\\' && text.compare(i + 1, 2, "\r\n") == 0) {
            i += 3;
        } else {
            out.push_back(text[i++]);
        }
    }
    return out;
}

// ---------------------------------------------------------------------------
// The script

class ScriptParser final : private DirectiveSink {
public:
    ScriptParser(std::string_view script, const std::map<std::string, long>& defines)
        : lexer_(script, this), names_(&defines, true), expressions_(&lexer_, &names_) {}

    ResourceScript Parse() {
        while (lexer_.Peek().kind != TokenKind::End) ParseStatement();
        return std::move(script_);
    }

private:
    void OnDirective(std::string_view text, int line) override {
        std::string stripped = StripComments(text);
        std::string_view directive = Trim(stripped);
        size_t end = 0;
        while (end < directive.size() && IsNameChar(directive[end])) ++end;
        std::string_view keyword = directive.substr(0, end);
        std::string_view rest = Trim(directive.substr(end));
        if (keyword == "include") return;  // the names arrive through `defines`
        if (keyword == "pragma") {
            if (rest.substr(0, 9) == "code_page") {
                std::string_view page = Trim(rest.substr(9));
                if (page.size() >= 2 && page.front() == '(' && page.back() == ')') page = Trim(page.substr(1, page.size() - 2));
                if (ParseNumber(page) != std::optional<int64_t>(65001)) {
                    Fail(line, "only #pragma code_page(65001) is read: the script is UTF-8");
                }
            }
            return;
        }
        if (keyword == "define") {
            // A #define whose value is not a number is left out, as in ParseDefines.
            if (auto define = ReadDefine(directive, names_)) names_.Define(define->first, define->second);
            return;
        }
        if (keyword == "undef") {
            names_.Undefine(std::string(rest));
            return;
        }
        Fail(line, "#" + std::string(keyword) + " is not read in a resource script");
    }

    // Lexer shorthands

    bool Accept(char c) {
        if (!IsPunct(lexer_.Peek(), c)) return false;
        lexer_.Next();
        return true;
    }

    void Expect(char c, const char* where) {
        if (!Accept(c)) {
            Fail(lexer_.Peek().line,
                 std::string("expected '") + c + "' " + where + ", found " + Describe(lexer_.Peek()));
        }
    }

    bool AcceptKeyword(std::string_view keyword) {
        if (!IsKeyword(lexer_.Peek(), keyword)) return false;
        lexer_.Next();
        return true;
    }

    void ExpectBegin(const char* what) {
        if (!AcceptKeyword("BEGIN") && !Accept('{')) {
            Fail(lexer_.Peek().line, std::string("expected BEGIN of ") + what + ", found " + Describe(lexer_.Peek()));
        }
    }

    // True at the END of a block begun on `beginLine`.
    bool AcceptEnd(int beginLine) {
        if (lexer_.Peek().kind == TokenKind::End) Fail(beginLine, "the block begun here has no END");
        return AcceptKeyword("END") || Accept('}');
    }

    std::string ExpectString(const char* what) {
        Token token = lexer_.Next();
        if (token.kind != TokenKind::String) {
            Fail(token.line, std::string("expected ") + what + " in quotes, found " + Describe(token));
        }
        return DecodeString(token);
    }

    int64_t Ranged(int64_t value, int64_t min, int64_t max, int line, const char* what) {
        if (value < min || value > max) Fail(line, std::string(what) + " " + std::to_string(value) + " is out of range");
        return value;
    }

    int Coordinate(const char* what) {
        int line = lexer_.Peek().line;
        return static_cast<int>(Ranged(expressions_.Number(what), -32768, 32767, line, what));
    }

    int Identifier(const char* what) {
        int line = lexer_.Peek().line;
        return static_cast<int>(Ranged(expressions_.Number(what), INT32_MIN, UINT32_MAX, line, what));
    }

    void SkipMemoryOptions() {
        while (lexer_.Peek().kind == TokenKind::Name && ContainsIgnoringCase(kMemoryOptions, lexer_.Peek().spelling)) {
            lexer_.Next();
        }
    }

    // Statements

    void ParseStatement() {
        const Token& first = lexer_.Peek();
        if (IsKeyword(first, "LANGUAGE")) {
            ParseLanguage();
            return;
        }
        if (IsKeyword(first, "STRINGTABLE")) Fail(first.line, "STRINGTABLE resources are not read");
        int line = first.line;
        int id = ResourceName();
        Token type = lexer_.Next();
        if (IsKeyword(type, "ICON")) {
            if (FindIcon(id) != nullptr) Fail(line, "a second ICON " + std::to_string(id));
            SkipMemoryOptions();
            Token file = lexer_.Next();
            if (file.kind != TokenKind::String) Fail(file.line, "expected the icon's file name in quotes, found " + Describe(file));
            script_.icons.push_back({id, FileName(file.spelling)});
        } else if (IsKeyword(type, "MENU")) {
            if (script_.FindMenu(id) != nullptr) Fail(line, "a second MENU " + std::to_string(id));
            ParseMenu(id);
        } else if (IsKeyword(type, "DIALOG") || IsKeyword(type, "DIALOGEX")) {
            if (script_.FindDialog(id) != nullptr) Fail(line, "a second dialog " + std::to_string(id));
            ParseDialog(id, IsKeyword(type, "DIALOGEX"));
        } else if (type.kind == TokenKind::Name || type.kind == TokenKind::Number) {
            Fail(type.line, "resources of type " + std::string(type.spelling) + " are not read");
        } else {
            Fail(type.line, "expected a resource type, found " + Describe(type));
        }
    }

    const IconResource* FindIcon(int id) const {
        for (const IconResource& icon : script_.icons) {
            if (icon.id == id) return &icon;
        }
        return nullptr;
    }

    // rc takes a file name as written, backslashes included.
    static std::string FileName(std::string_view spelling) {
        std::string name;
        for (size_t i = 0; i < spelling.size(); ++i) {
            name.push_back(spelling[i]);
            if ((spelling[i] == '"' || spelling[i] == '\\') && i + 1 < spelling.size() && spelling[i + 1] == spelling[i]) ++i;
        }
        return name;
    }

    void ParseLanguage() {
        lexer_.Next();
        expressions_.Number("a language");
        Expect(',', "between language and sublanguage");
        expressions_.Number("a sublanguage");
    }

    int ResourceName() {
        Token token = lexer_.Next();
        if (token.kind == TokenKind::Number) return static_cast<int>(Ranged(token.number, 0, 0xFFFF, token.line, "resource id"));
        if (token.kind == TokenKind::Name) {
            std::optional<int64_t> value = names_.Find(token.spelling);
            if (!value) Fail(token.line, "unknown name '" + std::string(token.spelling) + "'");
            return static_cast<int>(Ranged(*value, 0, 0xFFFF, token.line, "resource id"));
        }
        Fail(token.line, "expected a resource name or number, found " + Describe(token));
    }

    // Menus

    void ParseMenu(int id) {
        SkipMemoryOptions();
        SkipResourceOptions();
        MenuResource menu;
        menu.id = id;
        menu.items = ParseMenuItems("the menu");
        script_.menus.push_back(std::move(menu));
    }

    // LANGUAGE, CHARACTERISTICS and VERSION before a menu's BEGIN: only for
    // tools, nothing for the program.
    void SkipResourceOptions() {
        for (;;) {
            if (IsKeyword(lexer_.Peek(), "LANGUAGE")) {
                ParseLanguage();
            } else if (AcceptKeyword("CHARACTERISTICS") || AcceptKeyword("VERSION")) {
                expressions_.Number("a number");
            } else {
                return;
            }
        }
    }

    std::vector<MenuEntry> ParseMenuItems(const char* what) {
        int beginLine = lexer_.Peek().line;
        ExpectBegin(what);
        std::vector<MenuEntry> items;
        while (!AcceptEnd(beginLine)) {
            Token token = lexer_.Next();
            MenuEntry entry;
            if (IsKeyword(token, "MENUITEM")) {
                if (AcceptKeyword("SEPARATOR")) {
                    entry.separator = true;
                } else {
                    entry.text = ExpectString("the menu item's text");
                    Expect(',', "after the menu item's text");
                    entry.id = static_cast<int>(Ranged(expressions_.Number("the menu item's id"), -32768, 0xFFFF,
                                                       token.line, "menu item id"));
                    entry.flags = MenuOptions();
                }
            } else if (IsKeyword(token, "POPUP")) {
                entry.text = ExpectString("the drop-down's text");
                entry.popup = true;
                entry.flags = MenuOptions();
                entry.children = ParseMenuItems("the drop-down");
            } else {
                Fail(token.line, "expected MENUITEM, POPUP or END, found " + Describe(token));
            }
            items.push_back(std::move(entry));
        }
        return items;
    }

    uint32_t MenuOptions() {
        uint32_t flags = 0;
        for (;;) {
            bool comma = Accept(',');
            const Token& token = lexer_.Peek();
            bool found = false;
            for (const NamedValue& option : kMenuOptions) {
                if (IsKeyword(token, option.name)) {
                    flags |= static_cast<uint32_t>(option.value);
                    found = true;
                }
            }
            if (!found) {
                if (comma) Fail(token.line, "expected a menu item option, found " + Describe(token));
                return flags;
            }
            lexer_.Next();
        }
    }

    // Dialogs

    void ParseDialog(int id, bool extended) {
        SkipMemoryOptions();
        DialogResource dialog;
        dialog.id = id;
        dialog.x = Coordinate("the dialog's x");
        Expect(',', "after the dialog's x");
        dialog.y = Coordinate("the dialog's y");
        Expect(',', "after the dialog's y");
        dialog.cx = Coordinate("the dialog's width");
        Expect(',', "after the dialog's width");
        dialog.cy = Coordinate("the dialog's height");
        if (extended && Accept(',')) expressions_.Number("the dialog's help id");

        bool gotStyle = false, gotCaption = false, gotFont = false;
        for (;;) {
            const Token& token = lexer_.Peek();
            if (AcceptKeyword("STYLE")) {
                dialog.style = expressions_.Style(0, "the dialog's style");
                gotStyle = true;
            } else if (AcceptKeyword("EXSTYLE")) {
                dialog.exStyle = expressions_.Style(0, "the dialog's extended style");
            } else if (AcceptKeyword("CAPTION")) {
                dialog.caption = ExpectString("the caption");
                gotCaption = true;
            } else if (AcceptKeyword("FONT")) {
                ParseFont(&dialog, extended);
                gotFont = true;
            } else if (IsKeyword(token, "LANGUAGE") || IsKeyword(token, "CHARACTERISTICS") || IsKeyword(token, "VERSION")) {
                SkipResourceOptions();
            } else if (IsKeyword(token, "BEGIN") || IsPunct(token, '{')) {
                break;
            } else if (IsKeyword(token, "CLASS") || IsKeyword(token, "MENU")) {
                Fail(token.line, std::string(token.spelling) + " is not read in a dialog");
            } else {
                Fail(token.line, "expected STYLE, EXSTYLE, CAPTION, FONT or BEGIN, found " + Describe(token));
            }
        }
        // Without STYLE a dialog is a popup with border and system menu; a
        // caption and a font bring the styles they need, as with rc.
        if (!gotStyle) dialog.style = kWsPopup | kWsBorder | kWsSysMenu;
        if (gotCaption) dialog.style |= kWsCaption;
        if (gotFont) dialog.style |= kDsSetFont;

        int beginLine = lexer_.Peek().line;
        ExpectBegin("the dialog's controls");
        while (!AcceptEnd(beginLine)) dialog.controls.push_back(ParseControl(extended));
        script_.dialogs.push_back(std::move(dialog));
    }

    void ParseFont(DialogResource* dialog, bool extended) {
        int line = lexer_.Peek().line;
        dialog->pointSize = static_cast<int>(Ranged(expressions_.Number("the font size"), 0, 0xFFFF, line, "font size"));
        Expect(',', "after the font size");
        dialog->fontFace = ExpectString("the font's face name");
        dialog->weight = 0;
        dialog->italic = false;
        dialog->charset = kDefaultCharset;
        if (!extended || !Accept(',')) return;
        line = lexer_.Peek().line;
        dialog->weight = static_cast<int>(Ranged(expressions_.Number("the font weight"), 0, 0xFFFF, line, "font weight"));
        if (!Accept(',')) return;
        line = lexer_.Peek().line;
        dialog->italic = Ranged(expressions_.Number("the italic flag"), 0, 0xFF, line, "italic flag") != 0;
        if (!Accept(',')) return;
        line = lexer_.Peek().line;
        dialog->charset = static_cast<int>(Ranged(expressions_.Number("the character set"), 0, 0xFF, line, "character set"));
    }

    ControlTemplate ParseControl(bool extended) {
        Token statement = lexer_.Next();
        if (statement.kind == TokenKind::Name && ContainsIgnoringCase(kShorthandControls, statement.spelling)) {
            Fail(statement.line, std::string(statement.spelling) +
                                     " is not read: write the control as CONTROL with its full style");
        }
        if (!IsKeyword(statement, "CONTROL")) Fail(statement.line, "expected CONTROL or END, found " + Describe(statement));

        ControlTemplate control;
        control.text = ExpectString("the control's text");
        Expect(',', "after the control's text");
        control.id = Identifier("the control id");
        Expect(',', "after the control id");
        Token className = lexer_.Next();
        if (className.kind == TokenKind::String) {
            control.className = DecodeString(className);
            if (control.className.empty()) Fail(className.line, "an empty class name");
        } else if (className.kind == TokenKind::Name && ContainsIgnoringCase(kClassKeywords, className.spelling)) {
            control.className = std::string(className.spelling);
        } else {
            Fail(className.line, "expected the control's class, found " + Describe(className));
        }
        Expect(',', "after the control's class");
        // Every control is a visible child unless its style says NOT.
        control.style = expressions_.Style(kWsChild | kWsVisible, "the control's style");
        Expect(',', "after the control's style");
        control.x = Coordinate("the control's x");
        Expect(',', "after the control's x");
        control.y = Coordinate("the control's y");
        Expect(',', "after the control's y");
        control.cx = Coordinate("the control's width");
        Expect(',', "after the control's width");
        control.cy = Coordinate("the control's height");
        if (Accept(',')) {
            control.exStyle = expressions_.Style(0, "the control's extended style");
            if (extended && Accept(',')) expressions_.Number("the control's help id");
        }
        return control;
    }

    Lexer lexer_;
    NameTable names_;
    ExpressionReader expressions_;
    ResourceScript script_;
};

}  // namespace

const MenuResource* ResourceScript::FindMenu(int id) const {
    for (const MenuResource& menu : menus) {
        if (menu.id == id) return &menu;
    }
    return nullptr;
}

const DialogResource* ResourceScript::FindDialog(int id) const {
    for (const DialogResource& dialog : dialogs) {
        if (dialog.id == id) return &dialog;
    }
    return nullptr;
}

bool ParseResourceScript(std::string_view script, const std::map<std::string, long>& defines,
                         ResourceScript* out, std::string* error) {
    try {
        ScriptParser parser(script, defines);
        *out = parser.Parse();
        return true;
    } catch (const ScriptError& failure) {
        if (error != nullptr) *error = "line " + std::to_string(failure.line) + ": " + failure.message;
        return false;
    }
}

std::map<std::string, long> ParseDefines(std::string_view header) {
    std::map<std::string, long> defines;
    NameTable earlier(&defines, false);
    std::string text = StripComments(header);
    std::string_view rest = text;
    while (!rest.empty()) {
        size_t end = rest.find('\n');
        std::string_view line = Trim(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (line.empty() || line[0] != '#') continue;
        if (auto define = ReadDefine(line.substr(1), earlier)) defines[define->first] = static_cast<long>(define->second);
    }
    return defines;
}

const ResourceScript& ProgramResources() {
    static const ResourceScript resources = [] {
        ResourceScript script;
        std::string error;
        if (!ParseResourceScript(EmbeddedResourceScript(), ParseDefines(EmbeddedResourceHeader()), &script, &error)) {
            std::fprintf(stderr, "Wordoria: the built-in res/wordoria.rc does not parse: %s\n", error.c_str());
            std::abort();
        }
        return script;
    }();
    return resources;
}

}  // namespace wordoria::platform

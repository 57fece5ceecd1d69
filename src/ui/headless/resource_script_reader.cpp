#include <cctype>
#include <optional>
#include <string_view>

#include "model/text_codec.h"
#include "ui/headless/resource_tables.h"

namespace kora::ui::headless {
namespace {

// The window-system constants that may appear in style expressions.
const std::map<std::string_view, long long>& KnownConstants() {
    static const std::map<std::string_view, long long> constants = {
        {"WS_POPUP", 0x80000000LL},
        {"WS_CHILD", 0x40000000},
        {"WS_VISIBLE", 0x10000000},
        {"WS_DISABLED", 0x08000000},
        {"WS_CAPTION", 0x00C00000},
        {"WS_BORDER", 0x00800000},
        {"WS_VSCROLL", 0x00200000},
        {"WS_HSCROLL", 0x00100000},
        {"WS_SYSMENU", 0x00080000},
        {"WS_GROUP", 0x00020000},
        {"WS_TABSTOP", 0x00010000},
        {"DS_FIXEDSYS", 0x0008},
        {"DS_SETFONT", 0x0040},
        {"DS_MODALFRAME", 0x0080},
        {"DS_SHELLFONT", 0x0048},
        {"DS_CENTER", 0x0800},
        {"SS_LEFT", 0x0000},
        {"SS_CENTER", 0x0001},
        {"SS_RIGHT", 0x0002},
        {"SS_NOPREFIX", 0x0080},
        {"SS_ENDELLIPSIS", 0x4000},
        {"SS_PATHELLIPSIS", 0x8000},
        {"SS_WORDELLIPSIS", 0xC000},
        {"BS_PUSHBUTTON", 0x0000},
        {"BS_DEFPUSHBUTTON", 0x0001},
        {"BS_GROUPBOX", 0x0007},
        {"ES_LEFT", 0x0000},
        {"ES_AUTOHSCROLL", 0x0080},
        {"ES_NUMBER", 0x2000},
        {"CBS_DROPDOWNLIST", 0x0003},
        {"CBS_SORT", 0x0100},
        {"LVS_REPORT", 0x0001},
        {"LVS_SINGLESEL", 0x0004},
        {"LVS_SHOWSELALWAYS", 0x0008},
        {"LVS_NOLABELWRAP", 0x0080},
        {"LVS_OWNERDATA", 0x1000},
        {"LVS_NOSORTHEADER", 0x8000},
        {"UDS_SETBUDDYINT", 0x0002},
        {"UDS_ALIGNRIGHT", 0x0004},
        {"UDS_AUTOBUDDY", 0x0010},
        {"UDS_ARROWKEYS", 0x0020},
        {"IDOK", 1},
        {"IDCANCEL", 2},
        {"LANG_ENGLISH", 0x09},
        {"SUBLANG_ENGLISH_US", 0x01},
    };
    return constants;
}

enum class TokenKind { Name, Number, String, Punct, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;  // names, punctuation, and strings (unescaped UTF-8)
    long long number = 0;
    int line = 0;
};

class Reader {
public:
    Reader(std::span<const res::ScriptFile> files, ResourceTables& tables)
        : files_(files), tables_(tables) {}

    void ReadScript(const res::ScriptFile& file) {
        file_ = file;
        pos_ = 0;
        line_ = 1;
        Advance();
        while (token_.kind != TokenKind::End) Statement();
    }

private:
    // Headers may hold directives and comments only.
    void ReadHeader(std::string_view name, int includeLine) {
        const res::ScriptFile* header = nullptr;
        for (const auto& f : files_)
            if (f.name == name) header = &f;
        if (!header)
            Fail(includeLine, "included file \"" + std::string(name) + "\" is not embedded");
        Reader nested(files_, tables_);
        nested.file_ = *header;
        nested.line_ = 1;
        nested.Advance();
        if (nested.token_.kind != TokenKind::End) nested.Fail("a header may hold directives only");
    }

    [[noreturn]] void Fail(int line, const std::string& what) const {
        throw ResourceScriptError(std::string(file_.name) + ":" + std::to_string(line) + ": " +
                                  what);
    }
    [[noreturn]] void Fail(const std::string& what) const { Fail(token_.line, what); }

    // --- lexer -----------------------------------------------------------

    char Peek(size_t ahead = 0) const {
        return pos_ + ahead < file_.text.size() ? file_.text[pos_ + ahead] : '\0';
    }
    bool AtEnd() const { return pos_ >= file_.text.size(); }

    std::string RestOfLine() {
        std::string line;
        while (!AtEnd() && Peek() != '\n') line.push_back(file_.text[pos_++]);
        return line;
    }

    void SkipBlanksAndComments() {
        for (;;) {
            while (!AtEnd() && std::isspace(static_cast<unsigned char>(Peek()))) {
                if (Peek() == '\n') {
                    ++line_;
                    atLineStart_ = true;
                }
                ++pos_;
            }
            if (Peek() == '/' && Peek(1) == '/') {
                RestOfLine();
            } else if (Peek() == '/' && Peek(1) == '*') {
                pos_ += 2;
                while (!AtEnd() && !(Peek() == '*' && Peek(1) == '/')) {
                    if (Peek() == '\n') ++line_;
                    ++pos_;
                }
                pos_ += 2;
            } else if (Peek() == '#' && atLineStart_) {
                ++pos_;
                Directive(RestOfLine());
            } else {
                return;
            }
        }
    }

    void Directive(std::string text) {
        const int line = line_;
        if (size_t comment = text.find("//"); comment != std::string::npos) text.erase(comment);
        if (size_t comment = text.find("/*"); comment != std::string::npos) text.erase(comment);
        size_t i = 0;
        auto skipSpace = [&] {
            while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
        };
        auto word = [&] {
            skipSpace();
            size_t start = i;
            while (i < text.size() &&
                   (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '_'))
                ++i;
            return text.substr(start, i - start);
        };
        const std::string name = word();
        if (name == "pragma") return;
        if (name == "include") {
            skipSpace();
            if (i < text.size() && text[i] == '<') return;  // the platform's headers
            if (i >= text.size() || text[i] != '"') Fail(line, "malformed #include");
            size_t close = text.find('"', i + 1);
            if (close == std::string::npos) Fail(line, "malformed #include");
            ReadHeader(std::string_view(text).substr(i + 1, close - i - 1), line);
            return;
        }
        if (name == "define") {
            const std::string symbol = word();
            if (symbol.empty()) Fail(line, "malformed #define");
            if (i < text.size() && text[i] == '(') return;  // function-like: not an id
            skipSpace();
            std::string value = text.substr(i);
            while (!value.empty() && std::isspace(static_cast<unsigned char>(value.back())))
                value.pop_back();
            std::optional<long long> number = ParseNumber(value);
            if (!number) Fail(line, "#define " + symbol + " is not a number");
            tables_.defines[symbol] = *number;
            return;
        }
        Fail(line, "unsupported directive #" + name);
    }

    static std::optional<long long> ParseNumber(std::string_view text) {
        bool negative = false;
        if (!text.empty() && text[0] == '-') {
            negative = true;
            text.remove_prefix(1);
        }
        int base = 10;
        if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
            base = 16;
            text.remove_prefix(2);
        }
        if (!text.empty() && (text.back() == 'L' || text.back() == 'l')) text.remove_suffix(1);
        if (text.empty()) return std::nullopt;
        long long value = 0;
        for (char c : text) {
            int digit;
            if (c >= '0' && c <= '9') {
                digit = c - '0';
            } else if (base == 16 && std::isxdigit(static_cast<unsigned char>(c))) {
                digit = std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
            } else {
                return std::nullopt;
            }
            value = value * base + digit;
            if (value > 0xFFFFFFFFLL) return std::nullopt;
        }
        return negative ? -value : value;
    }

    void Advance() {
        SkipBlanksAndComments();
        token_ = Token{};
        token_.line = line_;
        if (AtEnd()) return;
        atLineStart_ = false;
        char c = Peek();
        if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
            token_.kind = TokenKind::Name;
            while (std::isalnum(static_cast<unsigned char>(Peek())) || Peek() == '_')
                token_.text.push_back(file_.text[pos_++]);
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            token_.kind = TokenKind::Number;
            std::string digits;
            while (std::isalnum(static_cast<unsigned char>(Peek())))
                digits.push_back(file_.text[pos_++]);
            std::optional<long long> number = ParseNumber(digits);
            if (!number) Fail("bad number " + digits);
            token_.number = *number;
        } else if (c == '"') {
            token_.kind = TokenKind::String;
            ++pos_;
            for (;;) {
                if (AtEnd() || Peek() == '\n') Fail("unterminated string");
                char s = file_.text[pos_++];
                if (s == '"') {
                    if (Peek() != '"') break;
                    ++pos_;  // "" stands for one quotation mark
                } else if (s == '\\') {
                    char e = file_.text[pos_++];
                    s = e == 'n' ? '\n' : e == 't' ? '\t' : e;
                }
                token_.text.push_back(s);
            }
        } else {
            token_.kind = TokenKind::Punct;
            token_.text = std::string(1, c);
            ++pos_;
        }
    }

    // --- grammar ---------------------------------------------------------

    bool IsName(std::string_view name) const {
        return token_.kind == TokenKind::Name && token_.text == name;
    }
    bool IsPunct(char c) const {
        return token_.kind == TokenKind::Punct && token_.text.size() == 1 && token_.text[0] == c;
    }
    void ExpectPunct(char c) {
        if (!IsPunct(c)) Fail(std::string("expected '") + c + "'");
        Advance();
    }
    void SkipComma() {
        if (IsPunct(',')) Advance();
    }
    std::string ExpectString() {
        if (token_.kind != TokenKind::String) Fail("expected a string");
        std::string text = token_.text;
        Advance();
        return text;
    }
    bool IsBegin() const { return IsName("BEGIN") || IsPunct('{'); }
    bool IsEndOfBlock() const { return IsName("END") || IsPunct('}'); }
    void ExpectBegin() {
        if (!IsBegin()) Fail("expected BEGIN");
        Advance();
    }

    long long Term() {
        if (IsPunct('-')) {
            Advance();
            return -Term();
        }
        if (IsPunct('(')) {
            Advance();
            long long value = Expression();
            ExpectPunct(')');
            return value;
        }
        if (token_.kind == TokenKind::Number) {
            long long value = token_.number;
            Advance();
            return value;
        }
        if (token_.kind == TokenKind::Name) {
            long long value = 0;
            if (auto it = tables_.defines.find(token_.text); it != tables_.defines.end()) {
                value = it->second;
            } else if (auto known = KnownConstants().find(token_.text);
                       known != KnownConstants().end()) {
                value = known->second;
            } else {
                Fail("unknown name " + token_.text);
            }
            Advance();
            return value;
        }
        Fail("expected a number or a name");
    }

    long long Expression() {
        long long value = Term();
        while (IsPunct('|')) {
            Advance();
            value |= Term();
        }
        return value;
    }

    int IntExpression() { return static_cast<int>(Expression()); }

    void Statement() {
        if (IsName("LANGUAGE")) {
            Advance();
            Expression();
            ExpectPunct(',');
            Expression();
            return;
        }
        if (IsName("STRINGTABLE")) {
            Advance();
            StringTable();
            return;
        }
        const int id = IntExpression();
        if (IsName("DIALOGEX")) {
            Advance();
            Dialog(id);
            return;
        }
        Fail("unsupported resource statement");
    }

    void StringTable() {
        ExpectBegin();
        while (!IsEndOfBlock()) {
            const auto id = static_cast<uint32_t>(Expression());
            SkipComma();
            const std::string text = ExpectString();
            if (!tables_.strings.emplace(id, DecodeUtf8(text)).second)
                Fail("string " + std::to_string(id) + " defined twice");
        }
        Advance();
    }

    void Dialog(int id) {
        DialogTemplate dialog;
        dialog.id = id;
        dialog.x = IntExpression();
        ExpectPunct(',');
        dialog.y = IntExpression();
        ExpectPunct(',');
        dialog.cx = IntExpression();
        ExpectPunct(',');
        dialog.cy = IntExpression();
        while (!IsBegin()) {
            if (IsName("STYLE")) {
                Advance();
                dialog.style = static_cast<uint32_t>(Expression());
            } else if (IsName("EXSTYLE")) {
                Advance();
                dialog.exStyle = static_cast<uint32_t>(Expression());
            } else if (IsName("CAPTION")) {
                Advance();
                dialog.caption = DecodeUtf8(ExpectString());
            } else if (IsName("FONT")) {
                Advance();
                dialog.fontSize = IntExpression();
                ExpectPunct(',');
                dialog.fontName = DecodeUtf8(ExpectString());
                while (IsPunct(',')) {  // weight, italic, charset
                    Advance();
                    Expression();
                }
            } else {
                Fail("unsupported dialog option " + token_.text);
            }
        }
        Advance();
        while (!IsEndOfBlock()) dialog.controls.push_back(Control());
        Advance();
        if (!tables_.dialogs.emplace(id, std::move(dialog)).second)
            Fail("dialog " + std::to_string(id) + " defined twice");
    }

    ControlTemplate Control() {
        if (!IsName("CONTROL")) Fail("only CONTROL statements are read in a dialog");
        Advance();
        ControlTemplate control;
        control.text = DecodeUtf8(ExpectString());
        ExpectPunct(',');
        control.id = IntExpression();
        ExpectPunct(',');
        control.className = ExpectString();
        ExpectPunct(',');
        control.style = static_cast<uint32_t>(Expression());
        ExpectPunct(',');
        control.x = IntExpression();
        ExpectPunct(',');
        control.y = IntExpression();
        ExpectPunct(',');
        control.cx = IntExpression();
        ExpectPunct(',');
        control.cy = IntExpression();
        if (IsPunct(',')) {
            Advance();
            control.exStyle = static_cast<uint32_t>(Expression());
        }
        return control;
    }

    std::span<const res::ScriptFile> files_;
    ResourceTables& tables_;
    res::ScriptFile file_;
    size_t pos_ = 0;
    int line_ = 1;
    bool atLineStart_ = true;
    Token token_;
};

}  // namespace

ResourceTables ParseResourceScript(std::span<const res::ScriptFile> files) {
    if (files.empty()) throw ResourceScriptError("no resource script");
    ResourceTables tables;
    Reader(files, tables).ReadScript(files.front());
    return tables;
}

const ResourceTables& ModuleResources() {
    static const ResourceTables tables = ParseResourceScript(res::ResourceScriptFiles());
    return tables;
}

}  // namespace kora::ui::headless

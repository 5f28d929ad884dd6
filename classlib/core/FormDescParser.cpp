// Reader of the form description text (FormDescription.md): a small lexer and
// a recursive-descent parser. A description is our own resource, but it is
// still read defensively: sizes, nesting and the number of values are bounded
// so that no text can exhaust the stack or the memory.

#include "FormDesc.h"
#include "FormDescError.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <unordered_set>
#include <utility>

namespace {

constexpr std::size_t MaxTextSize = 8u << 20;
constexpr std::size_t MaxNameLength = 255;
constexpr std::size_t MaxStringLength = 1u << 20;
constexpr int MaxDepth = 32;
// Objects, properties and values together; keeps the tree far below what the
// largest accepted text could otherwise make of tiny values.
constexpr std::size_t MaxNodes = 1u << 18;

enum class TokenKind { End, Identifier, Integer, String, Binary, Colon, Equals, Dot, Comma, LBracket, RBracket, LParen, RParen };

struct Token {
    TokenKind Kind = TokenKind::End;
    TFormPosition Position;
    std::string Text;  // identifier or decoded string
    std::int64_t Integer = 0;
    std::vector<std::uint8_t> Bytes;
};

bool IsNameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Names are compared without regard to letter case, as the class library's
// name lookups do.
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

std::string Folded(const std::string& s) {
    std::string f(s);
    for (char& c : f) c = Lower(c);
    return f;
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

using NameSet = std::unordered_set<std::string>;

std::string Describe(char c) {
    auto u = static_cast<unsigned char>(c);
    if (u >= 0x21 && u < 0x7F) return std::string("'") + c + "'";
    static const char hex[] = "0123456789ABCDEF";
    return std::string("$") + hex[u >> 4] + hex[u & 15];
}

class Parser {
public:
    Parser(const std::string& text, std::string formName) : text_(text), formName_(std::move(formName)) {}

    TFormDescription Run() {
        TFormDescription d;
        d.FormName = formName_;
        if (text_.size() > MaxTextSize)
            Fail({1, 1}, "Description too large (more than " + std::to_string(MaxTextSize) + " bytes)");
        Advance();
        if (tok_.Kind == TokenKind::End) Fail(tok_.Position, "Expected the form's header (Name: TClass)");
        d.Root = ParseObject(nullptr, 1);
        if (tok_.Kind != TokenKind::End) Fail(tok_.Position, "Expected end of text after the form");
        return d;
    }

private:
    // ---- errors ---------------------------------------------------------
    [[noreturn]] void Fail(TFormPosition at, const std::string& detail) {
        throw EFormDescError(formName_, objectName_, propertyName_, at.Line, at.Column, detail);
    }

    // ---- lexer ----------------------------------------------------------
    TFormPosition Here() const { return {line_, int(pos_ - lineStart_) + 1}; }
    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek(std::size_t ahead = 0) const { return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0'; }

    void NewLine() {
        ++line_;
        lineStart_ = pos_;
    }

    void SkipBlanks() {
        while (!AtEnd()) {
            char c = text_[pos_];
            if (c == '\n') {
                ++pos_;
                NewLine();
            } else if (c == ' ' || c == '\t' || c == '\r') {
                ++pos_;
            } else if (c == '/' && Peek(1) == '/') {
                while (!AtEnd() && text_[pos_] != '\n') ++pos_;
            } else {
                break;
            }
        }
    }

    void Advance() {
        SkipBlanks();
        tok_ = Token{};
        tok_.Position = Here();
        if (AtEnd()) return;
        char c = text_[pos_];
        if (IsNameStart(c)) return LexName();
        if (IsDigit(c) || c == '$' || c == '-') return LexInteger();
        if (c == '"') return LexString();
        if (c == '{') return LexBinary();
        static const std::pair<char, TokenKind> punct[] = {
            {':', TokenKind::Colon},    {'=', TokenKind::Equals},   {'.', TokenKind::Dot},
            {',', TokenKind::Comma},    {'[', TokenKind::LBracket}, {']', TokenKind::RBracket},
            {'(', TokenKind::LParen},   {')', TokenKind::RParen}};
        for (auto [ch, kind] : punct) {
            if (c == ch) {
                ++pos_;
                tok_.Kind = kind;
                return;
            }
        }
        Fail(tok_.Position, "Unexpected character " + Describe(c));
    }

    void LexName() {
        std::size_t start = pos_;
        while (!AtEnd() && IsNameChar(text_[pos_])) ++pos_;
        if (pos_ - start > MaxNameLength) Fail(tok_.Position, "Name too long");
        tok_.Kind = TokenKind::Identifier;
        tok_.Text.assign(text_, start, pos_ - start);
    }

    void LexInteger() {
        bool negative = false;
        if (Peek() == '-') {
            negative = true;
            ++pos_;
            if (!IsDigit(Peek()) && Peek() != '$') Fail(tok_.Position, "Expected a number after '-'");
        }
        // The magnitude is gathered unsigned so that the most negative value fits.
        std::uint64_t magnitude = 0;
        bool overflow = false;
        if (Peek() == '$') {
            ++pos_;
            if (HexDigit(Peek()) < 0) Fail(tok_.Position, "Expected hex digits after '$'");
            while (HexDigit(Peek()) >= 0) {
                if (magnitude >> 60) overflow = true;
                magnitude = (magnitude << 4) | std::uint64_t(HexDigit(text_[pos_]));
                ++pos_;
            }
        } else {
            while (IsDigit(Peek())) {
                std::uint64_t digit = std::uint64_t(text_[pos_] - '0');
                if (magnitude > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) overflow = true;
                magnitude = magnitude * 10 + digit;
                ++pos_;
            }
        }
        if (IsNameChar(Peek())) Fail(tok_.Position, "Invalid number");
        const std::uint64_t limit = std::uint64_t(std::numeric_limits<std::int64_t>::max()) + (negative ? 1 : 0);
        if (overflow || magnitude > limit) Fail(tok_.Position, "Integer out of range");
        tok_.Kind = TokenKind::Integer;
        tok_.Integer = negative ? std::int64_t(0 - magnitude) : std::int64_t(magnitude);
    }

    void LexString() {
        ++pos_;  // opening quote
        std::string s;
        for (;;) {
            if (AtEnd() || Peek() == '\n') Fail(tok_.Position, "Unterminated string");
            char c = text_[pos_];
            auto u = static_cast<unsigned char>(c);
            if (c == '"') {
                ++pos_;
                break;
            }
            if (c == '\\') {
                TFormPosition at = Here();
                if (pos_ + 1 >= text_.size() || Peek(1) == '\n') Fail(tok_.Position, "Unterminated string");
                char e = Peek(1);
                pos_ += 2;
                switch (e) {
                case '"': s += '"'; break;
                case '\\': s += '\\'; break;
                case 'n': s += '\n'; break;
                case 'r': s += '\r'; break;
                case 't': s += '\t'; break;
                case 'x': {
                    int hi = HexDigit(Peek()), lo = HexDigit(Peek(1));
                    if (hi < 0 || lo < 0) Fail(at, "Expected two hex digits after \\x");
                    s += char(hi * 16 + lo);
                    pos_ += 2;
                    break;
                }
                default:
                    Fail(at, "Invalid escape sequence \\ followed by " + Describe(e));
                }
            } else if (u < 0x20 || u == 0x7F) {
                Fail(Here(), "Control character " + Describe(c) + " in string (write it as \\xHH)");
            } else {
                s += c;
                ++pos_;
            }
            if (s.size() > MaxStringLength) Fail(tok_.Position, "String too long");
        }
        tok_.Kind = TokenKind::String;
        tok_.Text = std::move(s);
    }

    void LexBinary() {
        ++pos_;  // opening brace
        std::vector<std::uint8_t> bytes;
        int pending = -1;
        TFormPosition pendingAt;
        for (;;) {
            if (AtEnd()) Fail(tok_.Position, "Unterminated binary data");
            char c = text_[pos_];
            if (c == '}') {
                if (pending >= 0) Fail(pendingAt, "Odd number of hex digits in binary data");
                ++pos_;
                break;
            }
            if (c == '\n') {
                ++pos_;
                NewLine();
                continue;
            }
            if (c == ' ' || c == '\t' || c == '\r') {
                ++pos_;
                continue;
            }
            int d = HexDigit(c);
            if (d < 0) Fail(Here(), "Invalid character " + Describe(c) + " in binary data");
            if (pending < 0) {
                pending = d;
                pendingAt = Here();
            } else {
                bytes.push_back(std::uint8_t(pending * 16 + d));
                pending = -1;
            }
            ++pos_;
        }
        tok_.Kind = TokenKind::Binary;
        tok_.Bytes = std::move(bytes);
    }

    // ---- parser ---------------------------------------------------------
    bool IsWord(const char* word) const { return tok_.Kind == TokenKind::Identifier && tok_.Text == word; }
    bool IsReserved() const { return IsWord("end") || IsWord("item"); }

    void CountNode(TFormPosition at) {
        if (++nodes_ > MaxNodes) Fail(at, "Too many objects and values");
    }

    std::string TakeName(const char* what) {
        if (tok_.Kind != TokenKind::Identifier) Fail(tok_.Position, std::string("Expected ") + what);
        if (IsReserved()) Fail(tok_.Position, "Reserved word '" + tok_.Text + "' cannot be " + what);
        std::string name = std::move(tok_.Text);
        Advance();
        return name;
    }

    void Expect(TokenKind kind, const char* detail) {
        if (tok_.Kind != kind) Fail(tok_.Position, detail);
        Advance();
    }

    std::unique_ptr<TFormObject> ParseObject(TFormObject* parent, int depth) {
        if (depth > MaxDepth) Fail(tok_.Position, "Nesting too deep");
        CountNode(tok_.Position);
        auto object = std::make_unique<TFormObject>();
        object->Position = tok_.Position;
        object->Parent = parent;
        propertyName_.clear();
        object->Name = TakeName("an object name");
        const std::string outer = std::exchange(objectName_, object->Name);
        if (!names_.insert(Folded(object->Name)).second)
            Fail(object->Position, "Duplicate object name " + object->Name);
        Expect(TokenKind::Colon, "Expected ':' after the object name");
        object->ClassName = TakeName("a class name");
        NameSet seen;

        for (;;) {
            propertyName_.clear();
            if (tok_.Kind == TokenKind::End) Fail(tok_.Position, "Missing 'end' of object " + object->Name);
            if (IsWord("end")) {
                Advance();
                break;
            }
            if (tok_.Kind != TokenKind::Identifier || IsWord("item"))
                Fail(tok_.Position, "Expected a property, an object or 'end'");
            if (PeekIsColon()) {
                object->Children.push_back(ParseObject(object.get(), depth + 1));
                continue;
            }
            if (!object->Children.empty())
                Fail(tok_.Position, "Property after a child object (write the properties first)");
            ParseProperty(object->Properties, seen, "", depth);
        }
        objectName_ = outer;
        propertyName_.clear();
        return object;
    }

    // Whether the identifier at hand is followed by ':' (an object header)
    // rather than by '.' or '=' (a property). Looks at the raw text, since
    // only blanks may stand between the two.
    bool PeekIsColon() {
        std::size_t p = pos_;
        while (p < text_.size() && (text_[p] == ' ' || text_[p] == '\t' || text_[p] == '\r')) ++p;
        return p < text_.size() && text_[p] == ':';
    }

    void ParseProperty(std::vector<TFormProperty>& into, NameSet& seen, const std::string& prefix, int depth) {
        CountNode(tok_.Position);
        TFormProperty p;
        p.Position = tok_.Position;
        p.Path.push_back(TakeName("a property name"));
        while (tok_.Kind == TokenKind::Dot) {
            Advance();
            p.Path.push_back(TakeName("a property name"));
        }
        for (const auto& part : p.Path) p.Name += (p.Name.empty() ? "" : ".") + part;
        propertyName_ = prefix + p.Name;
        if (!seen.insert(Folded(p.Name)).second) Fail(p.Position, "Duplicate property " + p.Name);
        Expect(TokenKind::Equals, "Expected '=' after the property name");
        p.Value = ParseValue(depth);
        into.push_back(std::move(p));
        propertyName_.clear();
        Advance();
    }

    // Each Parse...Value leaves the last token of the value current; the
    // caller moves on, so a fault in what follows is not blamed on the value.
    TFormValue ParseValue(int depth) {
        TFormValue v;
        v.Position = tok_.Position;
        switch (tok_.Kind) {
        case TokenKind::Integer:
            v.Kind = TFormValueKind::Integer;
            v.Integer = tok_.Integer;
            break;
        case TokenKind::String:
            v.Kind = TFormValueKind::String;
            v.Text = std::move(tok_.Text);
            break;
        case TokenKind::Identifier:
            if (IsReserved()) Fail(tok_.Position, "Reserved word '" + tok_.Text + "' cannot be a value");
            v.Kind = TFormValueKind::Identifier;
            v.Text = std::move(tok_.Text);
            break;
        case TokenKind::Binary:
            v.Kind = TFormValueKind::Binary;
            v.Bytes = std::move(tok_.Bytes);
            break;
        case TokenKind::LBracket:
            return ParseSet();
        case TokenKind::LParen:
            return ParseList(depth);
        default:
            Fail(tok_.Position, "Expected a value");
        }
        return v;
    }

    TFormValue ParseSet() {
        TFormValue v;
        v.Kind = TFormValueKind::Set;
        v.Position = tok_.Position;
        Advance();
        if (tok_.Kind == TokenKind::RBracket) return v;
        NameSet seen;
        for (;;) {
            CountNode(tok_.Position);
            TFormPosition at = tok_.Position;
            if (tok_.Kind != TokenKind::Identifier) Fail(at, "Expected a name in the set");
            std::string name = TakeName("a set element");
            if (!seen.insert(Folded(name)).second) Fail(at, "Duplicate set element " + name);
            v.Names.push_back(std::move(name));
            if (tok_.Kind == TokenKind::RBracket) return v;
            Expect(TokenKind::Comma, "Expected ',' or ']' in the set");
        }
    }

    TFormValue ParseList(int depth) {
        TFormValue v;
        v.Kind = TFormValueKind::List;
        v.Position = tok_.Position;
        Advance();
        if (IsWord("item")) return ParseCollection(std::move(v), depth);
        while (tok_.Kind != TokenKind::RParen) {
            CountNode(tok_.Position);
            if (tok_.Kind == TokenKind::End) Fail(v.Position, "Missing ')' of the list");
            if (IsWord("item")) Fail(tok_.Position, "Collection items cannot be mixed with other values");
            if (tok_.Kind != TokenKind::Integer && tok_.Kind != TokenKind::String && tok_.Kind != TokenKind::Identifier)
                Fail(tok_.Position, "Expected a number, a string or a name in the list");
            v.Elements.push_back(ParseValue(depth));
            Advance();
        }
        return v;
    }

    TFormValue ParseCollection(TFormValue v, int depth) {
        if (depth + 1 > MaxDepth) Fail(tok_.Position, "Nesting too deep");
        v.Kind = TFormValueKind::Collection;
        const std::string owner = propertyName_;
        while (tok_.Kind != TokenKind::RParen) {
            if (tok_.Kind == TokenKind::End) Fail(v.Position, "Missing ')' of the collection");
            if (!IsWord("item")) Fail(tok_.Position, "Expected 'item' or ')' in the collection");
            CountNode(tok_.Position);
            TFormItem item;
            item.Position = tok_.Position;
            Advance();
            NameSet seen;
            const std::string prefix = owner + "[" + std::to_string(v.Items.size()) + "].";
            for (;;) {
                propertyName_ = owner;
                if (tok_.Kind == TokenKind::End) Fail(item.Position, "Missing 'end' of the item");
                if (IsWord("end")) {
                    Advance();
                    break;
                }
                if (tok_.Kind != TokenKind::Identifier || IsWord("item"))
                    Fail(tok_.Position, "Expected a property or 'end' in the item");
                ParseProperty(item.Properties, seen, prefix, depth + 1);
            }
            v.Items.push_back(std::move(item));
        }
        propertyName_ = owner;
        return v;
    }

    const std::string& text_;
    std::string formName_;
    std::size_t pos_ = 0;
    std::size_t lineStart_ = 0;
    int line_ = 1;
    Token tok_;
    std::size_t nodes_ = 0;
    NameSet names_;
    std::string objectName_;
    std::string propertyName_;
};

const TFormObject* FindIn(const TFormObject& o, const std::string& name) {
    if (SameName(o.Name, name)) return &o;
    for (const auto& c : o.Children)
        if (const TFormObject* f = FindIn(*c, name)) return f;
    return nullptr;
}

}  // namespace

TFormDescription ParseFormDescription(const std::string& Text, const std::string& FormName) {
    return Parser(Text, FormName).Run();
}

const TFormProperty* TFormObject::FindProperty(const std::string& Path) const {
    for (const auto& p : Properties)
        if (SameName(p.Name, Path)) return &p;
    return nullptr;
}

const TFormObject* TFormDescription::FindObject(const std::string& Name) const {
    return Root ? FindIn(*Root, Name) : nullptr;
}

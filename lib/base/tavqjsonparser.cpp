#include "tavqjsonparser_p.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <exception>
#include <iterator>
#include <string>
#include <string_view>

namespace TAVQtLib {
namespace JsonRead {

namespace {

// Far below the JsonCpp reader's stack limit of 1000, so that nothing it
// refuses for depth is ever taken here; pages nest a few dozen levels at most.
constexpr int MaxDepth = 256;
// Up to 18 digits always fit an Int64, which is what the JsonCpp reader makes
// of every such integer, negative or not.
constexpr int MaxDigits = 18;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Member names and values that nearly every element repeats, sorted byte-wise.
// A string equal to one of them refers to this constant text (a JsonCpp static
// string) instead of a copy of its own: one allocation less for a value, two
// for a member name, and as many fewer to free with the tree.
constexpr std::string_view RepeatedWords[] = {
    "attr", "b", "bold", "border", "borderSize", "borderclr", "child", "clr", "color", "drawImg",
    "elements", "empty", "enable", "family", "fill", "h", "hType", "hasIcon", "hor", "hotIconPath",
    "iconHor", "iconPath", "iconVer", "iconX", "iconY", "img", "italic", "layout", "margin", "name",
    "path", "qtbutton", "qtcheckbox", "qtcombobox", "qtcontainer", "qtdatagrid", "qtdedit",
    "qtgroupbox", "qtlabel", "qtlabelex", "qtlcdnumber", "qtlist", "qtlistview", "qtmenubar",
    "qtpicture", "qtprogressbar", "qtradiobox", "qtscrollbar", "qtscrollview", "qtslider",
    "qtspinbox", "qtsplitter", "qtswitch", "qttab", "qttext", "qttree", "r", "round", "showText",
    "size", "style", "templateList", "text", "tooltip", "txtX", "txtY", "type", "underline", "ver",
    "visibility", "w", "wType", "x", "y",
};

constexpr bool sortedWords()
{
    for (std::size_t i = 1; i < std::size(RepeatedWords); ++i) {
        if (!(RepeatedWords[i - 1] < RepeatedWords[i]))
            return false;
    }
    return true;
}
static_assert(sortedWords(), "RepeatedWords is searched by halves");

// The constant, NUL-terminated text equal to [begin, end), or null.
const char *repeatedWord(const char *begin, const char *end)
{
    const std::string_view text(begin, std::size_t(end - begin));
    const auto it = std::lower_bound(std::begin(RepeatedWords), std::end(RepeatedWords), text);
    return it != std::end(RepeatedWords) && *it == text ? it->data() : nullptr;
}

// The member of that name, added when absent.
Json::Value &memberOf(Json::Value &object, const char *name, const char *nameEnd)
{
    if (const char *word = repeatedWord(name, nameEnd))
        return object[Json::StaticString(word)];
    return *object.demand(name, nameEnd);
}

// A string value of those bytes.
Json::Value stringValue(const char *text, const char *textEnd)
{
    if (const char *word = repeatedWord(text, textEnd))
        return Json::Value(Json::StaticString(word));
    return Json::Value(text, textEnd);
}

// One pass over the text; every member function either consumes a whole
// well-formed piece and stores it, or returns false to decline the document.
class PlainParser
{
public:
    PlainParser(const char *begin, const char *end) : m_begin(begin), m_end(end), m_pos(begin) {}

    bool parseDocument(Json::Value *root)
    {
        if (!parseValue(*root, 1) || !skipFiller())
            return false;
        // The JsonCpp reader ignores what follows the root; what it would make
        // of it is not worth repeating here.
        return m_pos == m_end;
    }

private:
    bool at(char c) const { return m_pos != m_end && *m_pos == c; }

    // Exactly the JsonCpp reader's whitespace.
    void skipSpaces()
    {
        while (m_pos != m_end && (*m_pos == ' ' || *m_pos == '\t' || *m_pos == '\r' || *m_pos == '\n'))
            ++m_pos;
    }

    // Whitespace and comments, where the JsonCpp reader skips comments like
    // whitespace: before a value, a member name, a separator or a closing
    // bracket after a value, and after the root. Not before a ':' nor between
    // '[' and ']' with no value in between, where it fails on them.
    bool skipFiller()
    {
        skipSpaces();
        while (at('/')) {
            if (!skipComment())
                return false;
            skipSpaces();
        }
        return true;
    }

    bool skipComment()
    {
        if (m_end - m_pos < 2)
            return false;
        const char kind = m_pos[1];
        m_pos += 2;
        if (kind == '/') {
            // What follows the line end, a '\n' after a '\r' included, is whitespace.
            while (m_pos != m_end && *m_pos != '\n' && *m_pos != '\r')
                ++m_pos;
            return true;
        }
        if (kind != '*')
            return false;
        // Unclosed ones end in ways peculiar to the JsonCpp reader: declined.
        for (; m_end - m_pos >= 2; ++m_pos) {
            if (m_pos[0] == '*' && m_pos[1] == '/') {
                m_pos += 2;
                return true;
            }
        }
        return false;
    }

    // Only the payload changes, as in the JsonCpp reader: cheaper than a move
    // assignment, which swaps comments and offsets as well.
    static void store(Json::Value &out, Json::Value value) { out.swapPayload(value); }

    void setOffsets(Json::Value &value, const char *start) const
    {
        value.setOffsetStart(start - m_begin);
        value.setOffsetLimit(m_pos - m_begin);
    }

    bool parseValue(Json::Value &out, int depth)
    {
        if (!skipFiller() || m_pos == m_end)
            return false;
        switch (*m_pos) {
        case '{':
            return depth < MaxDepth && parseObject(out, depth);
        case '[':
            return depth < MaxDepth && parseArray(out, depth);
        case '"':
            return parseString(out);
        case 't':
            return parseWord(out, "true", Json::Value(true));
        case 'f':
            return parseWord(out, "false", Json::Value(false));
        case 'n':
            return parseWord(out, "null", Json::Value());
        default:
            return parseInteger(out);
        }
    }

    bool parseObject(Json::Value &out, int depth)
    {
        const char *start = m_pos++;
        store(out, Json::Value(Json::objectValue));
        if (!skipFiller())
            return false;
        while (!at('}')) {
            const char *key = nullptr;
            const char *keyEnd = nullptr;
            if (!at('"') || !scanString(&key, &keyEnd))
                return false;
            skipSpaces();
            if (!consume(':'))
                return false;
            // A repeated key lands on the same member, and the later value
            // replaces the earlier one, as in the JsonCpp reader.
            if (!parseValue(memberOf(out, key, keyEnd), depth + 1) || !skipFiller())
                return false;
            if (!at('}') && !(consume(',') && skipFiller() && at('"')))
                return false;
        }
        ++m_pos;
        setOffsets(out, start);
        return true;
    }

    bool parseArray(Json::Value &out, int depth)
    {
        const char *start = m_pos++;
        store(out, Json::Value(Json::arrayValue));
        skipSpaces();
        if (!at(']')) {
            // After a ',' comes a value: a ']' there is declined by parseValue.
            do {
                if (!parseValue(out.append(Json::Value()), depth + 1) || !skipFiller())
                    return false;
            } while (consume(','));
            if (!at(']'))
                return false;
        }
        ++m_pos;
        setOffsets(out, start);
        return true;
    }

    bool consume(char c)
    {
        if (!at(c))
            return false;
        ++m_pos;
        return true;
    }

    bool parseString(Json::Value &out)
    {
        const char *start = m_pos;
        const char *text = nullptr;
        const char *textEnd = nullptr;
        if (!scanString(&text, &textEnd))
            return false;
        store(out, stringValue(text, textEnd));
        setOffsets(out, start);
        return true;
    }

    // The bytes of the string at m_pos (its opening quote): a range of the
    // text itself, or of the scratch buffer when there are escapes. Bytes are
    // taken as they are, as the JsonCpp reader takes them (GBK included).
    bool scanString(const char **text, const char **textEnd)
    {
        const char *run = ++m_pos;
        while (m_pos != m_end && *m_pos != '"' && *m_pos != '\\')
            ++m_pos;
        if (m_pos == m_end)
            return false;
        if (*m_pos == '"') {
            *text = run;
            *textEnd = m_pos++;
            return true;
        }
        m_scratch.assign(run, m_pos);
        if (!unescapeRest())
            return false;
        *text = m_scratch.data();
        *textEnd = m_scratch.data() + m_scratch.size();
        return true;
    }

    // Appends the rest of a string with escapes to m_scratch, from the first
    // backslash at m_pos through the closing quote.
    bool unescapeRest()
    {
        while (m_pos != m_end) {
            const char c = *m_pos++;
            if (c == '"')
                return true;
            if (c != '\\') {
                m_scratch += c;
                continue;
            }
            if (m_pos == m_end)
                return false;
            const char unescaped = unescape(*m_pos++);
            // \u and unknown escapes are left to the JsonCpp reader.
            if (!unescaped)
                return false;
            m_scratch += unescaped;
        }
        return false;
    }

    static char unescape(char c)
    {
        switch (c) {
        case '"':
        case '/':
        case '\\':
            return c;
        case 'b':
            return '\b';
        case 'f':
            return '\f';
        case 'n':
            return '\n';
        case 'r':
            return '\r';
        case 't':
            return '\t';
        default:
            return 0;
        }
    }

    bool parseWord(Json::Value &out, const char *word, Json::Value value)
    {
        const size_t length = std::strlen(word);
        if (size_t(m_end - m_pos) < length || std::memcmp(m_pos, word, length) != 0)
            return false;
        const char *start = m_pos;
        m_pos += length;
        out.swapPayload(value);
        setOffsets(out, start);
        return true;
    }

    // -?(0|[1-9][0-9]{0,17}) and nothing that would continue it as a number:
    // the integers the JsonCpp reader makes Int64 values of.
    bool parseInteger(Json::Value &out)
    {
        const char *start = m_pos;
        const bool negative = consume('-');
        if (m_pos == m_end || !isDigit(*m_pos))
            return false;
        const char *digits = m_pos;
        std::int64_t magnitude = 0;
        if (*m_pos == '0') {
            ++m_pos;
        } else {
            while (m_pos != m_end && isDigit(*m_pos) && m_pos - digits < MaxDigits)
                magnitude = magnitude * 10 + (*m_pos++ - '0');
        }
        if (m_pos != m_end && (isDigit(*m_pos) || *m_pos == '.' || *m_pos == 'e' || *m_pos == 'E'))
            return false;
        store(out, Json::Value(Json::Int64(negative ? -magnitude : magnitude)));
        setOffsets(out, start);
        return true;
    }

    const char *const m_begin;
    const char *const m_end;
    const char *m_pos;
    // Unescaped string bytes, reused from string to string.
    std::string m_scratch;
};

} // namespace

FastParse parsePlainDocument(const char *begin, const char *end, Json::Value *root)
{
    Json::Value parsed;
    try {
        if (!PlainParser(begin, end).parseDocument(&parsed))
            return FastParse::Declined;
    } catch (const std::exception &) {
        // Out of memory: the JsonCpp reader gets its chance, as it would have alone.
        return FastParse::Declined;
    }
    // The payload only, as the JsonCpp reader stores into its root.
    root->swapPayload(parsed);
    root->setOffsetStart(parsed.getOffsetStart());
    root->setOffsetLimit(parsed.getOffsetLimit());
    return FastParse::Parsed;
}

} // namespace JsonRead
} // namespace TAVQtLib

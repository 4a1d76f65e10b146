#include "storage/FilterExpression.h"

#include "platform/Error.h"
#include "storage/FieldValue.h"

namespace kb::filter {

namespace {

enum class Tok { Ident, Literal, Number, Op, LParen, RParen, And, Or, Not, End };

struct Token {
    Tok kind = Tok::End;
    QString text;
    int pos = 0;
};

// Parentheses and "not" nest the parser and the SQL condition one level deeper each. More
// than any real filter needs, and less than exhausts the stack or the table engine's SQL
// parser (which gives up at about 30 nested parentheses).
constexpr int kMaxDepth = 20;
// Each comparison binds one value; the table engine takes at most 999 per statement.
constexpr int kMaxComparisons = 500;

bool isIdentChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

class Parser {
public:
    Parser(const QString &text, const tablefile::Schema &schema)
        : m_text(text)
        , m_schema(schema)
    {
        tokenize();
    }

    Condition run()
    {
        Condition c;
        c.sql = expression(c.params);
        if (peek().kind != Tok::End)
            fail(QStringLiteral("unerwartetes '%1'").arg(peek().text));
        return c;
    }

private:
    [[noreturn]] void fail(const QString &why) const
    {
        throw Error(QStringLiteral("Ungültiger Filter '%1': %2").arg(m_text, why));
    }

    void tokenize()
    {
        int i = 0;
        const int n = int(m_text.size());
        while (i < n) {
            const QChar c = m_text[i];
            if (c.isSpace()) {
                ++i;
            } else if (c == QLatin1Char('(') || c == QLatin1Char(')')) {
                m_tokens.push_back({ c == QLatin1Char('(') ? Tok::LParen : Tok::RParen, c, i });
                ++i;
            } else if (c == QLatin1Char('\'')) {
                const int start = i++;
                QString literal;
                bool closed = false;
                while (i < n) {
                    if (m_text[i] == QLatin1Char('\'')) {
                        if (i + 1 < n && m_text[i + 1] == QLatin1Char('\'')) {
                            literal += QLatin1Char('\'');
                            i += 2;
                            continue;
                        }
                        closed = true;
                        ++i;
                        break;
                    }
                    literal += m_text[i++];
                }
                if (!closed)
                    fail(QStringLiteral("Anführungszeichen nicht geschlossen"));
                m_tokens.push_back({ Tok::Literal, literal, start });
            } else if (c == QLatin1Char('=') || c == QLatin1Char('<') || c == QLatin1Char('>')
                || c == QLatin1Char('!')) {
                const int start = i;
                QString op(c);
                ++i;
                if (i < n && (m_text[i] == QLatin1Char('=') || m_text[i] == QLatin1Char('>'))
                    && c != QLatin1Char('='))
                    op += m_text[i++];
                if (op == QLatin1String("!") || op == QLatin1String("!>")
                    || op == QLatin1String(">>"))
                    fail(QStringLiteral("unbekannter Vergleich '%1'").arg(op));
                m_tokens.push_back(
                    { Tok::Op, op == QLatin1String("!=") ? QStringLiteral("<>") : op, start });
            } else if (c.isDigit()
                || (c == QLatin1Char('-') && i + 1 < n && m_text[i + 1].isDigit())) {
                const int start = i++;
                while (i < n && m_text[i].isDigit())
                    ++i;
                m_tokens.push_back({ Tok::Number, m_text.mid(start, i - start), start });
            } else if (isIdentChar(c)) {
                const int start = i;
                while (i < n && isIdentChar(m_text[i]))
                    ++i;
                const QString word = m_text.mid(start, i - start);
                const QString lower = word.toLower();
                Tok kind = Tok::Ident;
                if (lower == QLatin1String("and"))
                    kind = Tok::And;
                else if (lower == QLatin1String("or"))
                    kind = Tok::Or;
                else if (lower == QLatin1String("not"))
                    kind = Tok::Not;
                m_tokens.push_back({ kind, word, start });
            } else {
                fail(QStringLiteral("unerwartetes Zeichen '%1'").arg(c));
            }
        }
        m_tokens.push_back({ Tok::End, QStringLiteral("Ende"), n });
    }

    const Token &peek() const { return m_tokens[m_pos]; }
    Token take() { return m_pos + 1 < m_tokens.size() ? m_tokens[m_pos++] : m_tokens.back(); }

    // "a or b or c" becomes one flat "(a OR b OR c)", so that a long chain does not nest.
    QString expression(QVariantList &params)
    {
        QStringList terms { conjunction(params) };
        while (peek().kind == Tok::Or) {
            take();
            terms.append(conjunction(params));
        }
        return joined(terms, QStringLiteral(" OR "));
    }

    QString conjunction(QVariantList &params)
    {
        QStringList terms { unary(params) };
        while (peek().kind == Tok::And) {
            take();
            terms.append(unary(params));
        }
        return joined(terms, QStringLiteral(" AND "));
    }

    static QString joined(const QStringList &terms, const QString &op)
    {
        if (terms.size() == 1)
            return terms.first();
        return QLatin1Char('(') + terms.join(op) + QLatin1Char(')');
    }

    QString unary(QVariantList &params)
    {
        if (m_depth >= kMaxDepth)
            fail(QStringLiteral("zu tief verschachtelt"));
        ++m_depth;
        QString sql = nested(params);
        --m_depth;
        return sql;
    }

    QString nested(QVariantList &params)
    {
        if (peek().kind == Tok::Not) {
            take();
            return QStringLiteral("(NOT %1)").arg(unary(params));
        }
        if (peek().kind == Tok::LParen) {
            take();
            const QString inner = expression(params);
            if (take().kind != Tok::RParen)
                fail(QStringLiteral("')' fehlt"));
            return inner;
        }
        return comparison(params);
    }

    QString comparison(QVariantList &params)
    {
        if (++m_comparisons > kMaxComparisons)
            fail(QStringLiteral("mehr als %1 Vergleiche").arg(kMaxComparisons));
        const Token field = take();
        if (field.kind != Tok::Ident)
            fail(QStringLiteral("Feldname erwartet statt '%1'").arg(field.text));
        const int index = m_schema.indexOf(field.text);
        if (index < 0)
            throw Error(QStringLiteral("Feld '%1' nicht gefunden").arg(field.text));
        const FieldDef &def = m_schema.fields[index];
        if (tablefile::isBlobType(def.type))
            fail(QStringLiteral("Feld '%1' kann nicht verglichen werden").arg(def.name));
        const Token op = take();
        if (op.kind != Tok::Op)
            fail(QStringLiteral("Vergleich erwartet nach '%1'").arg(field.text));
        const Token literal = take();
        if (literal.kind != Tok::Literal && literal.kind != Tok::Number)
            fail(QStringLiteral("Wert erwartet nach '%1'").arg(op.text));

        const QString column = sql::quoted(def.name);
        const bool empty = literal.text.isEmpty();
        const bool text = def.type == FieldType::String || def.type == FieldType::Memo;
        if (empty && (op.text == QLatin1String("=") || op.text == QLatin1String("<>"))) {
            // A blank field is stored as NULL; comparing with '' asks for blank fields.
            const bool equal = op.text == QLatin1String("=");
            if (text)
                return equal ? QStringLiteral("(%1 IS NULL OR %1 = '')").arg(column)
                             : QStringLiteral("(%1 IS NOT NULL AND %1 <> '')").arg(column);
            return QStringLiteral("(%1 IS %2NULL)")
                .arg(column, equal ? QString() : QStringLiteral("NOT "));
        }
        QVariant value;
        try {
            value = fieldvalue::comparisonValue(def, literal.text);
        } catch (const Error &e) {
            fail(e.message());
        }
        params.append(fieldvalue::toSql(def.type, value));
        return QStringLiteral("(%1 %2 ?)").arg(column, op.text);
    }

    QString m_text;
    const tablefile::Schema &m_schema;
    std::vector<Token> m_tokens;
    size_t m_pos = 0;
    int m_depth = 0;
    int m_comparisons = 0;
};

} // namespace

Condition parse(const QString &expression, const tablefile::Schema &schema)
{
    if (expression.trimmed().isEmpty())
        return {};
    return Parser(expression, schema).run();
}

} // namespace kb::filter

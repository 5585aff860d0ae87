#include "source_query.h"

#include "pattern.h"

#include <cctype>

namespace pellimo {

namespace {

struct Token {
    std::string text; // identifiers without their quotes
    std::size_t begin = 0;
    bool identifier = false;
    int depth = 0; // parentheses around the token
};

std::vector<Token> tokenize(std::string_view sql) {
    std::vector<Token> tokens;
    int depth = 0;
    std::size_t at = 0;
    auto isWord = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
    while (at < sql.size()) {
        char c = sql[at];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++at;
            continue;
        }
        Token token{std::string(), at, false, depth};
        if (isWord(c)) {
            std::size_t end = at;
            while (end < sql.size() && isWord(sql[end]))
                ++end;
            token.text = sql.substr(at, end - at);
            token.identifier = !std::isdigit(static_cast<unsigned char>(c));
            at = end;
        } else if (c == '"' || c == '[' || c == '`' || c == '\'') {
            char close = c == '[' ? ']' : c;
            std::size_t end = sql.find(close, at + 1);
            end = end == std::string_view::npos ? sql.size() : end;
            token.text = sql.substr(at + 1, end - at - 1);
            token.identifier = c != '\'';
            at = end + 1;
        } else {
            token.text = std::string(1, c);
            depth += c == '(' ? 1 : c == ')' ? -1 : 0;
            ++at;
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

bool isKeyword(const Token& token, std::string_view keyword) {
    return token.identifier && token.depth == 0 && equalsIgnoringCase(token.text, keyword);
}

std::string trimmed(std::string_view text) {
    std::size_t first = text.find_first_not_of(" \t\r\n");
    std::size_t last = text.find_last_not_of(" \t\r\n;");
    return first == std::string_view::npos || last < first
               ? std::string()
               : std::string(text.substr(first, last - first + 1));
}

} // namespace

std::optional<SourceQuery> parseSourceQuery(std::string_view text) {
    std::vector<Token> tokens = tokenize(text);
    while (!tokens.empty() && tokens.back().text == ";")
        tokens.pop_back();
    SourceQuery query;
    if (tokens.size() == 1 && tokens[0].identifier) {
        query.table = tokens[0].text;
        query.bareName = true;
        return query;
    }
    if (tokens.empty() || !isKeyword(tokens[0], "SELECT"))
        return std::nullopt;

    std::size_t at = 1;
    if (at < tokens.size() && tokens[at].text == "*" && !tokens[at].identifier) {
        ++at;
    } else {
        while (true) {
            if (at >= tokens.size() || !tokens[at].identifier || isKeyword(tokens[at], "FROM") ||
                isKeyword(tokens[at], "DISTINCT"))
                return std::nullopt;
            query.columns.push_back(tokens[at++].text);
            if (at < tokens.size() && tokens[at].text == ",") {
                ++at;
                continue;
            }
            break;
        }
    }
    if (at + 1 >= tokens.size() || !isKeyword(tokens[at], "FROM") || !tokens[at + 1].identifier)
        return std::nullopt;
    query.table = tokens[at + 1].text;
    at += 2;

    std::size_t whereStart = std::string_view::npos;
    std::size_t orderStart = std::string_view::npos;
    if (at < tokens.size() && isKeyword(tokens[at], "WHERE")) {
        whereStart = tokens[at].begin + 5;
        ++at;
        while (at < tokens.size() && !isKeyword(tokens[at], "ORDER"))
            ++at;
    }
    if (at < tokens.size()) {
        if (!isKeyword(tokens[at], "ORDER") || at + 1 >= tokens.size() || !isKeyword(tokens[at + 1], "BY"))
            return std::nullopt;
        orderStart = tokens[at + 1].begin + 2;
        for (std::size_t i = at + 2; i < tokens.size(); ++i)
            if (isKeyword(tokens[i], "LIMIT") || isKeyword(tokens[i], "UNION"))
                return std::nullopt;
    }
    if (whereStart != std::string_view::npos) {
        std::size_t end = orderStart == std::string_view::npos ? text.size() : tokens[at].begin;
        query.where = trimmed(text.substr(whereStart, end - whereStart));
        for (std::string_view keyword : {"GROUP", "HAVING", "LIMIT", "UNION"})
            for (const Token& token : tokenize(query.where))
                if (isKeyword(token, keyword))
                    return std::nullopt;
    }
    if (orderStart != std::string_view::npos)
        query.orderBy = trimmed(text.substr(orderStart));
    return query;
}

} // namespace pellimo

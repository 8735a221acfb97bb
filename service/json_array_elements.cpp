#include "json_array_elements.h"

namespace kovrel {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

qsizetype skipBlanks(QByteArrayView json, qsizetype i) {
    while (i < json.size() && isBlank(json[i]))
        ++i;
    return i;
}

// From the start of an element to the comma or bracket that ends it at the array's own level;
// -1 when the text ends first.
qsizetype elementEnd(QByteArrayView json, qsizetype i) {
    int depth = 0;
    bool inString = false;
    for (; i < json.size(); ++i) {
        const char c = json[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            ++depth;
        } else if (c == ']' || c == '}') {
            if (depth == 0) return i;
            --depth;
        } else if (c == ',' && depth == 0) {
            return i;
        }
    }
    return -1;
}

} // namespace

std::optional<std::vector<QByteArrayView>> JsonArrayElements(QByteArrayView json) {
    qsizetype i = skipBlanks(json, 0);
    if (i == json.size() || json[i] != '[') return std::nullopt;
    std::vector<QByteArrayView> elements;
    i = skipBlanks(json, i + 1);
    if (i < json.size() && json[i] == ']') {
        i = skipBlanks(json, i + 1);
        return i == json.size() ? std::optional(elements) : std::nullopt;
    }
    while (true) {
        const qsizetype end = elementEnd(json, i);
        if (end < 0) return std::nullopt;
        qsizetype last = end;
        while (last > i && isBlank(json[last - 1]))
            --last;
        if (last == i) return std::nullopt;
        elements.push_back(json.sliced(i, last - i));
        if (json[end] == ',') {
            i = skipBlanks(json, end + 1);
            continue;
        }
        if (json[end] != ']') return std::nullopt;
        return skipBlanks(json, end + 1) == json.size() ? std::optional(elements) : std::nullopt;
    }
}

} // namespace kovrel

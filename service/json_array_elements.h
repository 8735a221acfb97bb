#pragma once

#include <QByteArrayView>

#include <optional>
#include <vector>

namespace kovrel {

// The elements of a top-level JSON array, each as the bytes of its own text, found without
// building any of them: a long reply can then be read an element at a time. Nothing when the
// text is not plainly an array of non-empty elements; the elements themselves are not checked,
// so each still has to parse on its own.
std::optional<std::vector<QByteArrayView>> JsonArrayElements(QByteArrayView json);

} // namespace kovrel

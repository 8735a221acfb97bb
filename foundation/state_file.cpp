#include "state_file.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QString kWindows = QStringLiteral("Windows");
const QString kSplitters = QStringLiteral("Splitters");
const QString kFolders = QStringLiteral("Folders");

// No screen is larger than this; anything beyond is damage.
constexpr int kMaxCoordinate = 100000;

TStateFile*& current() {
    static TStateFile* state = nullptr;
    return state;
}

} // namespace

TStateFile::TStateFile(QString path)
    : m_file(std::move(path)) {}

QString TStateFile::PathBeside(const QString& settingsPath) {
    return QFileInfo(settingsPath).dir().filePath(QStringLiteral("kovrel-state.ini"));
}

// Window names and captions become keys: characters that mean something in the file's lines
// are left out.
QString TStateFile::keyOf(const QString& name) {
    static const QRegularExpression special(QStringLiteral(R"([=\[\];#\s])"));
    return QString(name).remove(special);
}

QList<int> TStateFile::numbers(const QString& text, qsizetype min, qsizetype max) {
    static const QRegularExpression valid(QStringLiteral(R"(^-?\d{1,6}(,-?\d{1,6})*$)"));
    if (!valid.match(text).hasMatch()) return {};
    QList<int> values;
    for (const QString& part : text.split(QLatin1Char(','))) {
        const int v = part.toInt();
        if (v < -kMaxCoordinate || v > kMaxCoordinate) return {};
        values << v;
    }
    if (values.size() < min || values.size() > max) return {};
    return values;
}

std::optional<TStateFile::Place> TStateFile::WindowPlace(const QString& window) const {
    // x,y,width,height,maximized
    const QList<int> v = numbers(m_file.ReadString(kWindows, keyOf(window)), 5, 5);
    if (v.isEmpty() || v[2] <= 0 || v[3] <= 0 || (v[4] != 0 && v[4] != 1)) return std::nullopt;
    return Place{QRect(v[0], v[1], v[2], v[3]), v[4] == 1};
}

void TStateFile::SetWindowPlace(const QString& window, const Place& place) {
    const QRect& g = place.geometry;
    if (!g.isValid()) return;
    m_file.WriteString(kWindows, keyOf(window),
                       QStringLiteral("%1,%2,%3,%4,%5")
                           .arg(g.x())
                           .arg(g.y())
                           .arg(g.width())
                           .arg(g.height())
                           .arg(place.maximized ? 1 : 0));
}

QList<int> TStateFile::SplitterSizes(const QString& splitter) const {
    const QList<int> sizes = numbers(m_file.ReadString(kSplitters, keyOf(splitter)), 2, 16);
    for (int s : sizes)
        if (s < 0) return {};
    return sizes;
}

void TStateFile::SetSplitterSizes(const QString& splitter, const QList<int>& sizes) {
    QStringList parts;
    for (int s : sizes)
        parts << QString::number(s);
    m_file.WriteString(kSplitters, keyOf(splitter), parts.join(QLatin1Char(',')));
}

QString TStateFile::Folder(const QString& purpose) const {
    const QString folder = m_file.ReadString(kFolders, keyOf(purpose));
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

void TStateFile::SetFolder(const QString& purpose, const QString& folder) {
    // A folder whose name cannot stand on one line of the file is not kept.
    if (folder.isEmpty() || folder.contains(QLatin1Char('\n')) || folder.contains(QLatin1Char('\r')) ||
        folder != folder.trimmed())
        return;
    m_file.WriteString(kFolders, keyOf(purpose), folder);
}

TStateFile* CurrentStateFile() {
    return current();
}

void SetCurrentStateFile(TStateFile* state) {
    current() = state;
}

#include "endpoint_registry.h"

namespace kovrel::server {

void EndpointRegistry::Add(Route route) {
    const QString path = route.path;
    m_routes.insert(path, std::move(route));
}

const Route* EndpointRegistry::Find(const QString& path) const {
    if (const auto it = m_routes.constFind(path); it != m_routes.cend()) return &it.value();
    // The deepest folder route above the path; ".." never names a folder here.
    if (path.contains(QLatin1String(".."))) return nullptr;
    for (qsizetype slash = path.lastIndexOf(QLatin1Char('/')); slash >= 0;
         slash = slash > 0 ? path.lastIndexOf(QLatin1Char('/'), slash - 1) : -1) {
        const auto it = m_routes.constFind(path.left(slash + 1));
        if (it != m_routes.cend() && it->path.endsWith(QLatin1Char('/'))) return &it.value();
    }
    return nullptr;
}

QStringList EndpointRegistry::Paths() const {
    QStringList paths = m_routes.keys();
    paths.sort();
    return paths;
}

} // namespace kovrel::server

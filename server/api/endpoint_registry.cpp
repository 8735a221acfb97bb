#include "endpoint_registry.h"

namespace kovrel::server {

void EndpointRegistry::Add(Route route) {
    const QString path = route.path;
    m_routes.insert(path, std::move(route));
}

const Route* EndpointRegistry::Find(const QString& path) const {
    const auto it = m_routes.constFind(path);
    return it == m_routes.cend() ? nullptr : &it.value();
}

QStringList EndpointRegistry::Paths() const {
    QStringList paths = m_routes.keys();
    paths.sort();
    return paths;
}

} // namespace kovrel::server

#include "client_address.h"

#include <algorithm>

namespace kovrel::server {

namespace {

QString ipv6Prefix64(Q_IPV6ADDR bytes) {
    std::fill(bytes.c + 8, bytes.c + 16, 0);
    return QHostAddress(bytes).toString() + QStringLiteral("/64");
}

} // namespace

ClientAddress ClientAddress::Of(const QHostAddress& peer) {
    ClientAddress c;
    bool v4 = false;
    const quint32 ip4 = peer.toIPv4Address(&v4);
    if (v4) {
        c.address = QHostAddress(ip4);
        c.host = c.address.toString();
        c.network = QHostAddress(ip4 & 0xFFFFFF00u).toString() + QStringLiteral("/24");
        c.key = c.host;
        return c;
    }
    c.address = peer;
    c.address.setScopeId(QString());
    c.host = c.address.toString();
    c.network = ipv6Prefix64(peer.toIPv6Address());
    c.key = c.network;
    return c;
}

} // namespace kovrel::server

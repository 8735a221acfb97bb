#include "trusted_proxies.h"

namespace kovrel::server {

namespace {

// One entry of X-Forwarded-For: "1.2.3.4", "1.2.3.4:5678", "2001:db8::1" or "[2001:db8::1]:5678".
std::optional<QHostAddress> forwardedAddress(QByteArrayView entry) {
    entry = entry.trimmed();
    if (entry.startsWith('[')) {
        const qsizetype close = entry.indexOf(']');
        if (close < 0) return std::nullopt;
        entry = entry.sliced(1, close - 1);
    } else if (entry.count(':') == 1) {
        entry = entry.first(entry.indexOf(':'));
    }
    QHostAddress address;
    if (entry.isEmpty() || !address.setAddress(QString::fromLatin1(entry))) return std::nullopt;
    return address;
}

} // namespace

std::optional<TrustedProxies> TrustedProxies::Parse(const QString& text, QString* error) {
    TrustedProxies proxies;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString entry = part.trimmed();
        QPair<QHostAddress, int> network = QHostAddress::parseSubnet(entry);
        if (!entry.contains(QLatin1Char('/'))) {
            QHostAddress single;
            network = single.setAddress(entry)
                          ? qMakePair(single, single.protocol() == QAbstractSocket::IPv4Protocol ? 32 : 128)
                          : qMakePair(QHostAddress(), -1);
        }
        if (network.first.isNull() || network.second < 0) {
            if (error) *error = QStringLiteral("--trusted-proxy expects ADDR[,ADDR…], not \"%1\"").arg(entry);
            return std::nullopt;
        }
        proxies.m_networks.append(network);
    }
    if (proxies.IsEmpty()) {
        if (error) *error = QStringLiteral("--trusted-proxy expects ADDR[,ADDR…]");
        return std::nullopt;
    }
    return proxies;
}

bool TrustedProxies::Contains(const QHostAddress& address) const {
    // An IPv4 client on an IPv6 socket is the IPv4 address it maps.
    bool v4 = false;
    const quint32 ip4 = address.toIPv4Address(&v4);
    const QHostAddress plain = v4 ? QHostAddress(ip4) : address;
    for (const auto& [network, bits] : m_networks)
        if (plain.isInSubnet(network, bits)) return true;
    return false;
}

ClientAddress TrustedProxies::ClientOf(const ClientAddress& peer, const QByteArray& forwardedFor) const {
    const QList<QByteArray> entries = forwardedFor.split(',');
    std::optional<QHostAddress> leftmost;
    for (auto it = entries.crbegin(); it != entries.crend(); ++it) {
        if (it->trimmed().isEmpty()) continue;
        const std::optional<QHostAddress> address = forwardedAddress(*it);
        // A proxy we trust wrote something that is no address: nobody further left can be
        // told apart, and the request counts as the last proxy's.
        if (!address) break;
        if (!Contains(*address)) return ClientAddress::Of(*address);
        leftmost = address;
    }
    // Trusted all the way: the client is a machine among the proxies.
    return leftmost ? ClientAddress::Of(*leftmost) : peer;
}

} // namespace kovrel::server

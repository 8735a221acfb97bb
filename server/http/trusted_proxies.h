#pragma once

#include "client_address.h"

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QPair>
#include <QString>

#include <optional>

namespace kovrel::server {

// The reverse proxies (a load balancer) whose X-Forwarded-For header is believed. From anyone
// else the header is whatever the sender made up and changes nothing. Each proxy appends the
// address its connection came from, so the header is read from its end: the last address that
// is not a trusted proxy is the client; what comes before it was sent by that client, or by
// proxies nobody vouches for, and is not looked at.
class TrustedProxies {
public:
    // "ADDR[,ADDR…]", each an IPv4 or IPv6 address or a network ADDR/BITS; nothing, with
    // `error` set, when an entry is none of them.
    static std::optional<TrustedProxies> Parse(const QString& text, QString* error);

    bool IsEmpty() const { return m_networks.isEmpty(); }
    bool Contains(const QHostAddress& address) const;
    // Who a request that came through the trusted proxy `peer` is from. `forwardedFor` is the
    // X-Forwarded-For header (several of them joined by ","); the proxy itself when the header
    // names nobody usable (a proxy's own health check).
    ClientAddress ClientOf(const ClientAddress& peer, const QByteArray& forwardedFor) const;

private:
    QList<QPair<QHostAddress, int>> m_networks;
};

} // namespace kovrel::server

#pragma once

#include <QHostAddress>
#include <QString>

namespace kovrel::server {

// Who a request comes from, in the sizes that the service's rules count by. Made in one place
// (ClientAddress::Of) for every connection, so that whatever decides who the client is changes
// every rule at once.
struct ClientAddress {
    QHostAddress address; // as connected; an IPv4 client on an IPv6 socket as IPv4
    QString host;         // the whole address: connections per address
    QString network;      // its /24 (IPv4) or /64 (IPv6): connections per network
    // What one client holds whole: an IPv4 address, or an IPv6 /64 (a client there picks any of
    // its addresses at will). Sign-in throttling, known addresses and the share of the memory
    // for request bodies count by it.
    QString key;

    static ClientAddress Of(const QHostAddress& peer);
};

} // namespace kovrel::server

#pragma once
// Keys of the eight list orders: 1/2 file name (letter case ignored), 3/4
// file size, 5/6 image area then width, 7/8 shot date and time. Odd orders
// ascend, even orders descend.

#include "document/imageentry.h"

#include <QDateTime>
#include <QString>

struct SortKey {
    QString Name;
    qint64 Primary = 0;
    qint64 Secondary = 0;
};

class SortKeyMaker {
public:
    // `now` stands for entries without a shot date.
    SortKeyMaker(int order, const QDateTime &now);
    SortKey operator()(const ImageEntry &entry) const;
    // True when `a` comes strictly before `b` in this order.
    bool Before(const SortKey &a, const SortKey &b) const;

private:
    int m_order;
    qint64 m_now;
};

// Width and height from a "WxH" text; 0 where no number stands.
void ParseDimensions(const QString &text, qint64 &width, qint64 &height);

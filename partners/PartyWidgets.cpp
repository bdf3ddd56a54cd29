#include "PartyWidgets.h"

#include <QtGlobal>

// Resources of a static library are only linked in when something refers
// to their initialiser, which must stand outside any namespace.
static void initPartnersQrc()
{
    Q_INIT_RESOURCE(partners);
}

void InitPartyResources()
{
    [[maybe_unused]] static const bool registered = (initPartnersQrc(), true);
}

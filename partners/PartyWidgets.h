#pragma once

// Makes the party windows' pictures (":/partners/...") available; every
// party window calls it before it loads one.
void InitPartyResources();

#pragma once

struct TWindowSeams;

// Puts the catalog editors and the pickers in their places among the program's windows.
void InstallCatalogWindows(TWindowSeams& windows);

#pragma once

struct TWindowSeams;

// Puts the editors of receipts, sales waybills, orders and internal transfers in their places
// among the program's windows, where the journals open them.
void InstallGoodsDocumentWindows(TWindowSeams& windows);

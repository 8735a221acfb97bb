#include "reply_fields.h"

namespace kovrel::reply {

void ReadGoodItem(TRecGood& r, const wire::ReplyElement& e) {
    r.FlagDel = e.Int(k("flag_del"));
    r.Name = e.Text(k("name"));
    r.Prim = e.Text(k("prim"));
    r.Pack = e.Float(k("pack"));
    r.BarCode = e.Text(k("barcode"));
    r.Code = e.Text(k("code"));
    r.PCen = e.Float(k("pcen"));
    r.ZCen = e.Float(k("zcen"));
    r.OKEI = e.Text(k("okei"));
}

void ReadStockTotals(TRecGood& r, const wire::ReplyElement& e) {
    r.KolPlus = e.Float(k("kol_plus"));
    r.KolMinus = e.Float(k("kol_minus"));
    if (e.Has(k("kol_plus_v"))) r.KolPlusV = e.Float(k("kol_plus_v"));
    if (e.Has(k("kol_minus_v"))) r.KolMinusV = e.Float(k("kol_minus_v"));
}

void ReadStockRow(TRecGood& r, const wire::ReplyElement& e) {
    r.ID = e.Int(k("id"));
    ReadGoodItem(r, e);
    r.IDGoods = e.Int(k("id_goods"));
    ReadStockTotals(r, e);
}

} // namespace kovrel::reply

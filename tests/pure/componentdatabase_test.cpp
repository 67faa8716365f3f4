#include "pure/componentdatabase.h"

#include "data/propertieswriter.h"
#include "pure/sqlcipher.h"
#include "tests/support/hangguard.h"
#include "tests/support/scratchfolder.h"

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

namespace calvex::pure {
namespace {

namespace fs = std::filesystem;
using core::ComponentConstants;

const char* const header = "SNO,name,Pc,Tc,Tb,omega,eq,VPA,VPB,VPC,VPD,CPVAPA,CPVAPB,CPVAPC,CPVAPD\n";

// Rows in the order they are stored; methylethyl ketone comes before the row whose name
// differs from it only in blanks but has the lower SNO.
const char* const fixtureRows =
    "0,not listed,0,0,0,0,0,0,0,0,0,0,0,0,0\n"
    "1,n - hexane,30.25,507.6,341.88,0.3,3,9.2164,2697.55,-48.78,,25.644,0.5186,-0.000286,6.0e-08\n"
    "2,carbon dioxide,73.83,304.21,194.67,0.224,3,10.79,1956.25,-2.1,0,19.8,0.0734,-5.6e-05,1.7e-08\n"
    "21,methylethyl ketone,41.5,535.5,352.8,0.323,3,9.6,2900,-51,0,10.9,0.356,-1.9e-04,3.9e-08\n"
    "20,methyl ethyl ketone,42,536,353,0.32,3,9.6,2900,-51,0,10.9,0.356,-1.9e-04,3.9e-08\n"
    "30,wagner fluid,46,400,300,0.2,1,-7.1,1.5,-2.3,,30,0.1,0,0\n"
    "31,two point fluid,47,401,301,0.21,2,1.1,2.2,3.3,4.4,31,0.2,0,0\n"
    "32,no law zero,48,402,302,0.22,0,1,2,3,4,32,0.3,0,0\n"
    "33,no law four,49,403,303,0.23,4,1,2,3,4,33,0.4,0,0\n"
    "34,no heat capacity,50,404,304,0.24,3,9,2000,-40,,34,,,\n"
    "35,no critical temperature,51,,305,0.25,3,9,2000,-40,0,35,0,0,0\n";

// Values no read could produce, so that anything left untouched shows.
ComponentConstants held()
{
    ComponentConstants c;
    c.compoundname = "held";
    c.Tc = -1.0f;
    c.Pc = -2.0f;
    c.omega = -3.0f;
    c.Tb = -4.0f;
    c.eq = -5;
    c.VPA = -6.0f;
    c.VPB = -7.0f;
    c.VPC = -8.0f;
    c.VPD = -9.0f;
    c.CPVAPA = -10.0f;
    c.CPVAPB = -11.0f;
    c.CPVAPC = -12.0f;
    c.CPVAPD = -13.0f;
    return c;
}

void expectSame(const ComponentConstants& a, const ComponentConstants& b)
{
    EXPECT_EQ(a.compoundname, b.compoundname);
    EXPECT_EQ(a.Tc, b.Tc);
    EXPECT_EQ(a.Pc, b.Pc);
    EXPECT_EQ(a.omega, b.omega);
    EXPECT_EQ(a.Tb, b.Tb);
    EXPECT_EQ(a.eq, b.eq);
    EXPECT_EQ(a.VPA, b.VPA);
    EXPECT_EQ(a.VPB, b.VPB);
    EXPECT_EQ(a.VPC, b.VPC);
    EXPECT_EQ(a.VPD, b.VPD);
    EXPECT_EQ(a.CPVAPA, b.CPVAPA);
    EXPECT_EQ(a.CPVAPB, b.CPVAPB);
    EXPECT_EQ(a.CPVAPC, b.CPVAPC);
    EXPECT_EQ(a.CPVAPD, b.CPVAPD);
}

// A database file written straight through SQL, for layouts the writer does not make.
void keyedDatabase(const fs::path& file, const char* password, const char* sql)
{
    std::string error;
    Connection connection = openKeyed(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, password, error);
    ASSERT_TRUE(connection) << error;
    ASSERT_EQ(sqlite3_exec(connection.get(), sql, nullptr, nullptr, nullptr), SQLITE_OK)
        << sqlite3_errmsg(connection.get());
}

class ComponentDatabaseTest : public ::testing::Test {
protected:
    fs::path file() const { return m_folder.file("properties.mdb"); }
    void write(const std::string& csv, const char* password = componentDatabaseKey)
    {
        data::writePropertiesDatabase(file(), data::parseCsv(csv), password);
    }
    ComponentDatabase database() const { return ComponentDatabase(file()); }

    testing::ScratchFolder m_folder;
};

TEST_F(ComponentDatabaseTest, ListsEveryRowInStoredOrderWithItsSno)
{
    write(std::string(header) + fixtureRows);
    const ComponentList list = database().ListComponents();
    ASSERT_TRUE(list.ok()) << *list.error;
    const std::vector<std::pair<std::string, std::int32_t>> expected = {
        {"not listed", 0}, {"n - hexane", 1}, {"carbon dioxide", 2}, {"methylethyl ketone", 21},
        {"methyl ethyl ketone", 20}, {"wagner fluid", 30}, {"two point fluid", 31},
        {"no law zero", 32}, {"no law four", 33}, {"no heat capacity", 34},
        {"no critical temperature", 35}};
    ASSERT_EQ(list.components.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(list.components[i].name, expected[i].first);
        EXPECT_EQ(list.components[i].SNO, expected[i].second);
    }
}

// Stored values are doubles read into 32-bit floats, so each must equal the float nearest to
// the typed number exactly.
TEST_F(ComponentDatabaseTest, ReadComponentWithEq3ReadsThreeConstantsAndNeedsNoVpd)
{
    write(std::string(header) + fixtureRows);
    ComponentConstants c = held();
    const ComponentLookup lookup = database().ReadComponent(1, c, ComponentColumns::HeatCapacity);
    ASSERT_TRUE(lookup.ok()) << *lookup.error;
    EXPECT_TRUE(lookup.found);
    ComponentConstants expected = held();
    expected.Pc = static_cast<float>(30.25);
    expected.Tc = static_cast<float>(507.6);
    expected.Tb = static_cast<float>(341.88);
    expected.omega = static_cast<float>(0.3);
    expected.eq = 3;
    expected.VPA = static_cast<float>(9.2164);
    expected.VPB = static_cast<float>(2697.55);
    expected.VPC = static_cast<float>(-48.78);
    expected.CPVAPA = static_cast<float>(25.644);
    expected.CPVAPB = static_cast<float>(0.5186);
    expected.CPVAPC = static_cast<float>(-0.000286);
    expected.CPVAPD = static_cast<float>(6.0e-08);
    expectSame(c, expected);
}

TEST_F(ComponentDatabaseTest, Eq2ReadsAllFourConstants)
{
    write(std::string(header) + fixtureRows);
    ComponentConstants c = held();
    ASSERT_TRUE(database().ReadComponent(31, c).found);
    EXPECT_EQ(c.eq, 2);
    EXPECT_EQ(c.VPA, static_cast<float>(1.1));
    EXPECT_EQ(c.VPB, static_cast<float>(2.2));
    EXPECT_EQ(c.VPC, static_cast<float>(3.3));
    EXPECT_EQ(c.VPD, static_cast<float>(4.4));
}

TEST_F(ComponentDatabaseTest, Eq0And4LeaveTheVapourPressureConstantsAsTheyWere)
{
    write(std::string(header) + fixtureRows);
    const ComponentDatabase db = database();
    for (const auto& [SNO, name, eq, Tc] :
         {std::tuple{32, "no law zero", 0, 402.0}, std::tuple{33, "no law four", 4, 403.0}}) {
        ComponentConstants bySno = held();
        ASSERT_TRUE(db.ReadComponent(SNO, bySno).found) << SNO;
        ComponentConstants byName = held();
        ASSERT_TRUE(db.FindComponentByName(name, byName).found) << name;
        for (const ComponentConstants& c : {bySno, byName}) {
            EXPECT_EQ(c.eq, eq);
            EXPECT_EQ(c.Tc, static_cast<float>(Tc));
            EXPECT_EQ(c.VPA, -6.0f);
            EXPECT_EQ(c.VPB, -7.0f);
            EXPECT_EQ(c.VPC, -8.0f);
            EXPECT_EQ(c.VPD, -9.0f);
        }
    }
}

TEST_F(ComponentDatabaseTest, EmptyCellThatIsReadFailsAndChangesNothing)
{
    write(std::string(header) + fixtureRows);
    const ComponentDatabase db = database();
    const struct {
        std::function<ComponentLookup(ComponentConstants&)> lookup;
        const char* column;
    } rows[] = {
        {[&](ComponentConstants& c) { return db.ReadComponent(30, c); }, "VPD"}, // eq 1
        {[&](ComponentConstants& c) { return db.FindComponentByName("wagner fluid", c); }, "VPD"},
        {[&](ComponentConstants& c) { return db.ReadComponent(34, c, ComponentColumns::HeatCapacity); }, "CPVAPB"},
        {[&](ComponentConstants& c) { return db.ReadComponent(35, c); }, "Tc"},
        {[&](ComponentConstants& c) { return db.FindComponentByName("no critical temperature", c); }, "Tc"},
    };
    for (const auto& row : rows) {
        ComponentConstants c = held();
        const ComponentLookup lookup = row.lookup(c);
        ASSERT_FALSE(lookup.ok()) << row.column;
        EXPECT_FALSE(lookup.found);
        EXPECT_EQ(*lookup.error, std::string("empty cell in column ") + row.column);
        expectSame(c, held());
    }
}

TEST_F(ComponentDatabaseTest, HeatCapacityIsReadOnlyWhenAskedFor)
{
    write(std::string(header) + fixtureRows);
    ComponentConstants bySno = held();
    const ComponentLookup lookup = database().ReadComponent(34, bySno);
    ASSERT_TRUE(lookup.ok()) << *lookup.error;
    EXPECT_TRUE(lookup.found);
    EXPECT_EQ(bySno.Tc, 404.0f);
    ComponentConstants byName = held();
    ASSERT_TRUE(database().FindComponentByName("n-hexane", byName).found);
    for (const ComponentConstants& c : {bySno, byName}) {
        EXPECT_EQ(c.CPVAPA, -10.0f);
        EXPECT_EQ(c.CPVAPB, -11.0f);
        EXPECT_EQ(c.CPVAPC, -12.0f);
        EXPECT_EQ(c.CPVAPD, -13.0f);
    }
}

TEST_F(ComponentDatabaseTest, CriticalColumnsLeaveEqAndTheLawAlone)
{
    write(std::string(header) + fixtureRows);
    ComponentConstants c = held();
    const ComponentLookup lookup = database().ReadComponent(30, c, ComponentColumns::Critical); // eq 1, no VPD
    ASSERT_TRUE(lookup.ok()) << *lookup.error;
    EXPECT_TRUE(lookup.found);
    ComponentConstants expected = held();
    expected.Pc = 46.0f;
    expected.Tc = 400.0f;
    expected.Tb = 300.0f;
    expected.omega = static_cast<float>(0.2);
    expectSame(c, expected);
}

TEST_F(ComponentDatabaseTest, SnoThatNoRowCarriesIsNoErrorAndChangesNothing)
{
    write(std::string(header) + fixtureRows);
    for (const std::int32_t SNO : {3, 999, -1, std::numeric_limits<std::int32_t>::min()}) {
        ComponentConstants c = held();
        const ComponentLookup lookup = database().ReadComponent(SNO, c);
        EXPECT_TRUE(lookup.ok()) << SNO;
        EXPECT_FALSE(lookup.found) << SNO;
        expectSame(c, held());
    }
}

// Which row a name finds is told by its critical temperature.
TEST_F(ComponentDatabaseTest, FindComponentByNameIgnoresBlanksButNotCase)
{
    write(std::string(header) + fixtureRows);
    const struct {
        const char* wanted;
        float Tc; // 0: not found
    } rows[] = {
        {"n-hexane", 507.6f},
        {"n - hexane", 507.6f},
        {" n-hexane  ", 507.6f},
        {"carbondioxide", 304.21f},
        {"carbon  dioxide", 304.21f},
        {"Carbon dioxide", 0.0f},
        {"N-hexane", 0.0f},
        {"CARBON DIOXIDE", 0.0f},
        {"methyl ethyl ketone", 535.5f}, // the first of the two rows, not the one of that exact name
        {"methylethylketone", 535.5f},
        {"n-hexane\t", 0.0f},
        {"hexane", 0.0f},
        {"", 0.0f},
    };
    for (const auto& row : rows) {
        ComponentConstants c = held();
        const ComponentLookup lookup = database().FindComponentByName(row.wanted, c);
        ASSERT_TRUE(lookup.ok()) << row.wanted << ": " << *lookup.error;
        EXPECT_EQ(lookup.found, row.Tc != 0.0f) << '"' << row.wanted << '"';
        EXPECT_EQ(c.Tc, row.Tc != 0.0f ? row.Tc : -1.0f) << '"' << row.wanted << '"';
        EXPECT_EQ(c.compoundname, "held");
    }
}

TEST_F(ComponentDatabaseTest, NotListedRowIsFoundByItsSnoAndName)
{
    write(std::string(header) + fixtureRows);
    ComponentConstants bySno = held();
    EXPECT_TRUE(database().ReadComponent(0, bySno).found);
    EXPECT_EQ(bySno.Tc, 0.0f);
    ComponentConstants byName = held();
    EXPECT_TRUE(database().FindComponentByName("notlisted", byName).found);
    EXPECT_EQ(byName.eq, 0);
}

TEST_F(ComponentDatabaseTest, EmptyTableListsNothingAndFindsNothing)
{
    write(header);
    const ComponentList list = database().ListComponents();
    EXPECT_TRUE(list.ok());
    EXPECT_TRUE(list.components.empty());
    ComponentConstants c = held();
    const ComponentLookup bySno = database().ReadComponent(0, c);
    EXPECT_TRUE(bySno.ok());
    EXPECT_FALSE(bySno.found);
    const ComponentLookup byName = database().FindComponentByName("not listed", c);
    EXPECT_TRUE(byName.ok());
    EXPECT_FALSE(byName.found);
    expectSame(c, held());
}

// Every file that cannot serve as the database fails all three operations with an error and
// leaves the caller's values alone.
TEST_F(ComponentDatabaseTest, UnusableFileFailsEveryOperation)
{
    const std::string rows = std::string(header) + fixtureRows;
    const struct {
        const char* what;
        std::function<void()> make;
        const char* errorPart;
    } cases[] = {
        {"missing file", [] {}, "unable to open"},
        {"the password instead of its key", [&] { write(rows, "xbrek"); }, "not a database"},
        {"another raw key", [&] { write(rows, "x'00112233445566778899aabbccddeeff00112233445566778899aabbccddeeff'"); },
         "not a database"},
        {"no key", [&] { write(rows, ""); }, "not a database"},
        {"text file", [&] { m_folder.write("properties.mdb", "SNO,name\n0,not listed\n"); }, "not a database"},
        {"empty file", [&] { m_folder.write("properties.mdb", ""); }, "no such table"},
        {"a folder", [&] { fs::create_directory(file()); }, "properties.mdb"},
        {"a FIFO", [&] { ASSERT_EQ(::mkfifo(file().c_str(), 0600), 0); }, "unable to open"},
        {"other table", [&] { keyedDatabase(file(), componentDatabaseKey, "CREATE TABLE components (SNO INTEGER)"); },
         "no such table"},
    };
    const testing::HangGuard guard;
    for (const auto& row : cases) {
        fs::remove_all(file());
        row.make();
        const ComponentList list = database().ListComponents();
        ASSERT_FALSE(list.ok()) << row.what;
        EXPECT_NE(list.error->find(row.errorPart), std::string::npos) << row.what << ": " << *list.error;
        EXPECT_TRUE(list.components.empty());
        ComponentConstants c = held();
        const ComponentLookup bySno = database().ReadComponent(1, c);
        EXPECT_FALSE(bySno.ok()) << row.what;
        EXPECT_FALSE(bySno.found);
        const ComponentLookup byName = database().FindComponentByName("n-hexane", c);
        EXPECT_FALSE(byName.ok()) << row.what;
        EXPECT_FALSE(byName.found);
        expectSame(c, held());
    }
}

TEST_F(ComponentDatabaseTest, MissingColumnFailsOnlyWhenItIsRead)
{
    write("SNO,name,Pc,Tc,Tb,omega,eq,VPA,VPB,VPC,CPVAPA,CPVAPB,CPVAPC,CPVAPD\n"
          "1,antoine fluid,30,500,340,0.3,3,9,2700,-48,25,0.5,0,0\n"
          "2,two point fluid,47,401,301,0.21,2,1.1,2.2,3.3,31,0.2,0,0\n");
    ComponentConstants c = held();
    EXPECT_TRUE(database().ReadComponent(1, c).found);
    EXPECT_TRUE(database().FindComponentByName("antoinefluid", c).found);
    c = held();
    const ComponentLookup lookup = database().ReadComponent(2, c);
    ASSERT_FALSE(lookup.ok());
    EXPECT_EQ(*lookup.error, "no column VPD");
    expectSame(c, held());
}

TEST_F(ComponentDatabaseTest, EmptyNameFailsTheListAndTheScanThatReachesIt)
{
    write(std::string(header) + "1,first,30,500,340,0.3,0,0,0,0,0,0,0,0,0\n"
                                "2,,30,501,340,0.3,0,0,0,0,0,0,0,0,0\n"
                                "3,third,30,502,340,0.3,0,0,0,0,0,0,0,0,0\n");
    const ComponentList list = database().ListComponents();
    ASSERT_FALSE(list.ok());
    EXPECT_EQ(*list.error, "empty cell in column name");
    ComponentConstants c = held();
    EXPECT_TRUE(database().FindComponentByName("first", c).found);
    EXPECT_FALSE(database().FindComponentByName("third", c).ok());
}

TEST_F(ComponentDatabaseTest, TableAndColumnNamesMatchWithoutRegardToCase)
{
    keyedDatabase(file(), componentDatabaseKey,
                  "CREATE TABLE PROPERTIES (sno INTEGER, NAME TEXT, pc REAL, TC REAL, tB REAL, Omega REAL,"
                  " EQ INTEGER, vpa REAL, Vpb REAL, VPc REAL, vpD REAL, cpvapa REAL, CpVapB REAL,"
                  " cpvapc REAL, CPVAPd REAL);"
                  "INSERT INTO PROPERTIES VALUES (7, 'argon', 48.98, 150.86, 87.27, -0.002, 1,"
                  " 1, 2, 3, 4, 20.78616, 0, 0, 0);");
    const ComponentList list = database().ListComponents();
    ASSERT_TRUE(list.ok()) << *list.error;
    ASSERT_EQ(list.components.size(), 1u);
    EXPECT_EQ(list.components[0].name, "argon");
    EXPECT_EQ(list.components[0].SNO, 7);
    ComponentConstants bySno = held();
    ASSERT_TRUE(database().ReadComponent(7, bySno, ComponentColumns::HeatCapacity).found);
    ComponentConstants byName = held();
    ASSERT_TRUE(database().FindComponentByName("argon", byName).found);
    for (const ComponentConstants& c : {bySno, byName}) {
        EXPECT_EQ(c.Pc, static_cast<float>(48.98));
        EXPECT_EQ(c.omega, static_cast<float>(-0.002));
        EXPECT_EQ(c.VPD, 4.0f);
    }
    EXPECT_EQ(bySno.CPVAPA, static_cast<float>(20.78616));
}

// The conversions of a cell: numbers held as text are read, whole numbers are rounded half to
// even, and values that do not fit their type fail.
TEST_F(ComponentDatabaseTest, CellsAreConvertedToTheirTypesOrFail)
{
    keyedDatabase(file(), componentDatabaseKey,
                  "CREATE TABLE properties (SNO, name, Pc, Tc, Tb, omega, eq, VPA, VPB, VPC, VPD);"
                  "INSERT INTO properties VALUES (1, 'text numbers', ' 48.5 ', '150', 87, 0, '3', 1, 2, 3, NULL);"
                  "INSERT INTO properties VALUES (2, 'rounded eq', 1, 2, 3, 0, 2.5, 1, 2, 3, 4);"
                  "INSERT INTO properties VALUES (3, 'huge Pc', 1e300, 2, 3, 0, 0, 0, 0, 0, 0);"
                  "INSERT INTO properties VALUES (4, 'huge eq', 1, 2, 3, 0, 40000, 0, 0, 0, 0);"
                  "INSERT INTO properties VALUES (5, 'word Tc', 1, 'hot', 3, 0, 0, 0, 0, 0, 0);"
                  "INSERT INTO properties VALUES (6, 'blob Tb', 1, 2, x'00', 0, 0, 0, 0, 0, 0);"
                  "INSERT INTO properties VALUES (7, 'nan Tc', 1, 'nan', 3, 0, 0, 0, 0, 0, 0);"
                  "INSERT INTO properties VALUES (5000000000, 'huge SNO', 1, 2, 3, 0, 0, 0, 0, 0, 0);");
    ComponentConstants c = held();
    ASSERT_TRUE(database().ReadComponent(1, c).found);
    EXPECT_EQ(c.Pc, 48.5f);
    EXPECT_EQ(c.Tc, 150.0f);
    EXPECT_EQ(c.eq, 3);
    ASSERT_TRUE(database().ReadComponent(2, c).found);
    EXPECT_EQ(c.eq, 2);
    const struct {
        std::int32_t SNO;
        const char* error;
    } failing[] = {
        {3, "value of Pc out of range"},
        {4, "value of Eq out of range"},
        {5, "no number in column Tc"},
        {6, "no number in column Tb"},
        {7, "value of Tc out of range"},
    };
    for (const auto& row : failing) {
        c = held();
        const ComponentLookup lookup = database().ReadComponent(row.SNO, c);
        ASSERT_FALSE(lookup.ok()) << row.SNO;
        EXPECT_EQ(*lookup.error, row.error);
        expectSame(c, held());
    }
    const ComponentList list = database().ListComponents();
    ASSERT_FALSE(list.ok());
    EXPECT_EQ(*list.error, "value of SNO out of range");
}

int openHandlesOn(const fs::path& file)
{
    const fs::path target = fs::canonical(file);
    int count = 0;
    for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (fs::read_symlink(entry.path(), error) == target)
            ++count;
    }
    return count;
}

TEST_F(ComponentDatabaseTest, ReleasesTheFileOnEveryPath)
{
    write(std::string(header) + fixtureRows);
    const ComponentDatabase db = database();
    ComponentConstants c = held();
    EXPECT_TRUE(db.ListComponents().ok());
    EXPECT_EQ(openHandlesOn(file()), 0);
    EXPECT_TRUE(db.ReadComponent(1, c).found);
    EXPECT_EQ(openHandlesOn(file()), 0);
    EXPECT_TRUE(db.FindComponentByName("carbon dioxide", c).found);
    EXPECT_EQ(openHandlesOn(file()), 0);
    EXPECT_FALSE(db.ReadComponent(30, c).ok());
    EXPECT_EQ(openHandlesOn(file()), 0);
    write(std::string(header) + fixtureRows, "xbrec");
    EXPECT_FALSE(db.ListComponents().ok());
    EXPECT_EQ(openHandlesOn(file()), 0);
}

TEST_F(ComponentDatabaseTest, DefaultFileIsPropertiesMdbInTheProgramFolder)
{
    write(std::string(header) + fixtureRows);
    EXPECT_EQ(ComponentDatabase().file(), file());
    ComponentConstants c = held();
    EXPECT_TRUE(ComponentDatabase().ReadComponent(2, c).found);
    EXPECT_EQ(c.Tc, static_cast<float>(304.21));
}

} // namespace
} // namespace calvex::pure

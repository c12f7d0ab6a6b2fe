package com.vornik.zarvel.tests;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertNull;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.vornik.zarvel.DataSource;
import com.vornik.zarvel.ODBCDriver;
import com.vornik.zarvel.Zarvel;
import java.util.Arrays;
import java.util.Collections;
import java.util.HashMap;
import java.util.List;
import java.util.Map;
import java.util.stream.Stream;
import org.junit.jupiter.api.AfterEach;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Tag;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.Arguments;
import org.junit.jupiter.params.provider.MethodSource;

/** Driver manager failures, injected by the preloaded library. */
@Tag("faults")
class FaultTest {
    private static final String ALLOCATE = "Could not allocate ODBC environmental handle!";
    private static final String FREE = "Could not free ODBC environmental handle!";

    @BeforeEach
    void freshIniFiles() {
        OdbcFiles.reset();
        Faults.clear();
        OdbcFiles.write(OdbcFiles.userDataSources(), "[Alpha]\nDriver=SQLite3\n\n[Beta]\nDriver=SQLite3\n\n");
        OdbcFiles.write(OdbcFiles.systemDataSources(), "[Gamma]\nDriver=SQLite3\n\n");
    }

    @AfterEach
    void noFaultsLeft() {
        Faults.clear();
    }

    private static void expectUsedUp() {
        for (String rule : Faults.rules().split("\n")) {
            if (!rule.isEmpty()) {
                assertEquals("0", rule.split(" ")[2], "rule not used: " + rule);
            }
        }
    }

    private static void expectUnused(String rule) {
        assertEquals(rule + "\n", Faults.rules(), "the call was made after all");
    }

    /**
     * Every environment a call opens, in order: the method's frame, then each
     * lookup's. `skip` environments are let through; the next one fails.
     */
    static Stream<Arguments> environmentFailures() {
        return Stream.of(
                // getDataSources: frame, then the one enumeration of the drivers.
                Arguments.of("listing", "SQLAllocEnv", 0, ALLOCATE),
                Arguments.of("listing", "SQLAllocEnv", 1, ALLOCATE),
                Arguments.of("listing", "SQLFreeEnv", 0, FREE),
                Arguments.of("listing", "SQLFreeEnv", 1, FREE),
                Arguments.of("drivers", "SQLAllocEnv", 0, ALLOCATE),
                Arguments.of("drivers", "SQLFreeEnv", 0, FREE),
                // registerDataSource: frame, findDataSource, its findDriver.
                Arguments.of("register", "SQLAllocEnv", 0, ALLOCATE),
                Arguments.of("register", "SQLAllocEnv", 1, ALLOCATE),
                Arguments.of("register", "SQLAllocEnv", 2, ALLOCATE),
                Arguments.of("register", "SQLFreeEnv", 0, FREE),
                Arguments.of("register", "SQLFreeEnv", 1, FREE),
                Arguments.of("register", "SQLFreeEnv", 2, FREE),
                Arguments.of("unregister", "SQLAllocEnv", 0, ALLOCATE),
                Arguments.of("unregister", "SQLFreeEnv", 0, FREE));
    }

    private static Object call(String method) throws Throwable {
        switch (method) {
            case "listing":
                return Zarvel.getDataSources();
            case "drivers":
                return Zarvel.getDrivers();
            case "register":
                return Zarvel.registerDataSource("Delta", "SQLite3", null);
            default:
                return Zarvel.unregisterDataSource("Alpha", "SQLite3");
        }
    }

    @ParameterizedTest
    @MethodSource("environmentFailures")
    void anEnvironmentThatCannotBeAllocatedOrFreedFailsTheWholeCall(String method, String function, int skip,
            String message) {
        for (int result : new int[] {Faults.ERROR, Faults.INVALID_HANDLE}) {
            Faults.clear();
            OdbcFiles.write(OdbcFiles.userDataSources(), "[Alpha]\nDriver=SQLite3\n\n[Beta]\nDriver=SQLite3\n\n");
            Faults.inject(function, skip, 1, result);
            Expect.failure(message, () -> call(method));
            expectUsedUp();
        }
    }

    @Test
    void registrationStaysDoneWhenItsEnvironmentCannotBeFreed() {
        Faults.inject("SQLFreeEnv", 0, 1, Faults.ERROR);
        Expect.failure(FREE, () -> Zarvel.registerDataSource("Delta", "SQLite3", null));
        assertNotNull(Expect.named(Zarvel.getDataSources(), "Delta"));

        Faults.inject("SQLFreeEnv", 0, 1, Faults.ERROR);
        Expect.failure(FREE, () -> Zarvel.unregisterDataSource("Delta", "SQLite3"));
        Expect.noSuchDataSource(Zarvel.getDataSources(), "Delta");
    }

    @Test
    void noInstallerRequestWithoutAnEnvironment() {
        Faults.inject("SQLAllocEnv", 0, 1, Faults.ERROR);
        Expect.failure(ALLOCATE, () -> Zarvel.registerDataSource("Delta", "SQLite3", null));
        Faults.inject("SQLAllocEnv", 0, 1, Faults.ERROR);
        Expect.failure(ALLOCATE, () -> Zarvel.unregisterDataSource("Alpha", "SQLite3"));
        assertEquals(Collections.emptyList(), OdbcFiles.setupRequests());
        assertEquals(Arrays.asList("Alpha", "Beta", "Gamma"), Expect.names(Zarvel.getDataSources()));
    }

    @Test
    void argumentsAreTestedBeforeAnyEnvironmentExists() {
        String rule = "SQLAllocEnv 0 1 -1";
        Faults.inject("SQLAllocEnv", 0, 1, Faults.ERROR);
        Expect.failure("DataSource name is null!", () -> Zarvel.registerDataSource(null, "SQLite3", null));
        Expect.failure("Driver name is null!", () -> Zarvel.unregisterDataSource("Alpha", null));
        Expect.failure("DataSource name too long!",
                () -> Zarvel.registerDataSource(String.join("", Collections.nCopies(33, "x")), "SQLite3", null));
        Expect.failure("DataSource attributes too long!",
                () -> Zarvel.registerDataSource("Delta", "SQLite3", String.join("", Collections.nCopies(1100, "a"))));
        expectUnused(rule);
    }

    @Test
    void aFailedInstallerRequestDoesNotLookAtTheFreeResult() {
        // The environment is still freed (the rule is used up), its failure unreported.
        Faults.inject("SQLFreeEnv", 0, 1, Faults.ERROR);
        Expect.failure("Error trying to register ODBC DataSource!",
                () -> Zarvel.registerDataSource("Delta", "Uninstalled", null));
        expectUsedUp();
        Faults.clear();
        Faults.inject("SQLFreeEnv", 0, 1, Faults.ERROR);
        Expect.failure("Error trying to remove ODBC DataSource!",
                () -> Zarvel.unregisterDataSource("Alpha", "Uninstalled"));
        expectUsedUp();
    }

    @Test
    void successWithInfoCountsAsSuccessEverywhere() {
        for (String function : new String[] {"SQLAllocEnv", "SQLFreeEnv", "SQLDataSources", "SQLDrivers"}) {
            Faults.inject(function, 0, Faults.ALWAYS, Faults.WITH_INFO);
        }
        DataSource[] listed = Zarvel.getDataSources();
        assertEquals(Arrays.asList("Alpha", "Beta", "Gamma"), Expect.names(listed));
        for (DataSource dataSource : listed) {
            Expect.sqliteDriver(dataSource.getDriver());
        }
        ODBCDriver[] drivers = Zarvel.getDrivers();
        assertEquals(1, drivers.length);
        Expect.sqliteDriver(drivers[0]);
        DataSource added = Zarvel.registerDataSource("Delta", "SQLite3", null);
        assertEquals("Delta", added.getName());
        Expect.sqliteDriver(added.getDriver());
        assertTrue(Zarvel.unregisterDataSource("Delta", "SQLite3"));
    }

    @Test
    void anEnumerationErrorEndsItLikeTheEndOfTheList() {
        Faults.inject("SQLDataSources", 1, 1, Faults.ERROR);
        assertEquals(Collections.singletonList("Alpha"), Expect.names(Zarvel.getDataSources()));
        // The drivers' enumeration fails at once: no data source finds its driver.
        Faults.inject("SQLDrivers", 0, 1, Faults.ERROR);
        DataSource[] listed = Zarvel.getDataSources();
        assertEquals(Arrays.asList("Alpha", "Beta", "Gamma"), Expect.names(listed));
        for (DataSource dataSource : listed) {
            assertNull(dataSource.getDriver());
        }
        Faults.inject("SQLDrivers", 0, 1, Faults.ERROR);
        assertEquals(0, Zarvel.getDrivers().length);
        expectUsedUp();
    }

    static Stream<Arguments> earlyEnds() {
        return Stream.of(
                Arguments.of("SQLDataSources", 0, Collections.emptyList()),
                Arguments.of("SQLDataSources", 2, Arrays.asList("Alpha", "Beta")),
                Arguments.of("SQLDrivers", 0, Collections.emptyList()),
                Arguments.of("SQLDrivers", 1, Collections.singletonList("SQLite3")));
    }

    @ParameterizedTest
    @MethodSource("earlyEnds")
    void aListingHasExactlyTheEntriesOfItsOnePassAndNoNullElement(String function, int skip, List<String> names) {
        // An enumeration that ends early, as when a data source or driver is
        // removed meanwhile, gives a shorter array, never a null element.
        OdbcFiles.write(OdbcFiles.drivers(), OdbcFiles.sqliteSection("SQLite3") + "[Extra]\nDriver=/opt/x.so\n\n");
        Faults.inject(function, skip, 1, Faults.NO_DATA);
        assertEquals(names, function.equals("SQLDrivers") ? Expect.names(Zarvel.getDrivers())
                : Expect.names(Zarvel.getDataSources()));
        expectUsedUp();
    }

    @Test
    void theRegisteredDataSourceIsTheFirstEntryOfItsName() {
        // unixODBC lists each of two sections of one name, though it reports
        // the first one's driver for both: the injected drivers tell them apart.
        OdbcFiles.write(OdbcFiles.userDataSources(), "[Sales]\nDriver=SQLite3\n\n[Sales]\nDriver=SQLite3\n\n");
        OdbcFiles.write(OdbcFiles.systemDataSources(), "");
        Faults.dataSourceDriver(0, OdbcFiles.SQLITE);
        Faults.dataSourceDriver(0, "Uninstalled");
        DataSource added = Zarvel.registerDataSource("Sales", "SQLite3", null);
        assertNotNull(added);
        assertEquals("Sales", added.getName());
        Expect.sqliteDriver(added.getDriver());
        // The lookup stopped at the first match: the second entry was never asked for.
        assertEquals("SQLDataSources 0 0 0 SQLite3\nSQLDataSources 0 1 0 Uninstalled\n", Faults.rules());
    }

    static Stream<Arguments> attributeLists() {
        String cutValue = String.join("", Collections.nCopies(1100, "b"));
        Map<String, String> cut = new HashMap<>();
        cut.put("A", "1");
        // Byte 1023 ends the buffer: "A=1", NUL, "B=" leave 1017 bytes.
        cut.put("B", cutValue.substring(0, 1017));
        return Stream.of(
                Arguments.of("A=1|B=2||", Map.of("A", "1", "B", "2")),
                Arguments.of("P=Q=R||", Map.of("Q", "R")),
                Arguments.of("X=1|Y||", Map.of("X", "Y")),
                Arguments.of("K=||", Map.of("K", "")),
                Arguments.of("=V||", Map.of("", "V")),
                Arguments.of("||", Map.of()),
                Arguments.of("Y|A=1||", Map.of("A", "1")),
                Arguments.of("A=1|B=" + cutValue, cut));
    }

    @ParameterizedTest
    @MethodSource("attributeLists")
    void attributeListsThatUnixOdbcNeverWritesStillMapAsScanned(String list, Map<String, String> expected) {
        Faults.driverList(0, list);
        ODBCDriver[] drivers = Zarvel.getDrivers();
        assertEquals(1, drivers.length);
        assertEquals(expected, drivers[0].getAttributes());
        expectUsedUp();
    }
}

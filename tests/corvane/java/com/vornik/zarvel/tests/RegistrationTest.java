package com.vornik.zarvel.tests;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertNull;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.vornik.zarvel.DataSource;
import com.vornik.zarvel.Zarvel;
import java.util.Collections;
import java.util.List;
import java.util.stream.Stream;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.Arguments;
import org.junit.jupiter.params.provider.MethodSource;
import org.junit.jupiter.params.provider.ValueSource;

class RegistrationTest {
    private static final String ADD = "1|SQLite3|";
    private static final String REMOVE = "3|SQLite3|";

    @BeforeEach
    void freshIniFiles() {
        OdbcFiles.reset();
    }

    private static String repeat(String text, int times) {
        return String.join("", Collections.nCopies(times, text));
    }

    @Test
    void registrationAddsARealDataSourceAndReturnsItWithItsDriver() {
        DataSource added = Zarvel.registerDataSource("Sales", "SQLite3", "Database=/tmp/sales.db;Timeout=500");
        assertNotNull(added);
        assertEquals("Sales", added.getName());
        Expect.sqliteDriver(added.getDriver());
        assertEquals(Collections.singletonList(ADD + "DSN=Sales;Database=/tmp/sales.db;Timeout=500"),
                OdbcFiles.setupRequests());

        DataSource[] listed = Zarvel.getDataSources();
        assertEquals(Collections.singletonList("Sales"), Expect.names(listed));
        Expect.sqliteDriver(listed[0].getDriver());
        String ini = OdbcFiles.read(OdbcFiles.userDataSources());
        assertTrue(ini.contains("Database=/tmp/sales.db"), ini);
    }

    static Stream<Arguments> attributeStrings() {
        return Stream.of(
                Arguments.of(null, "DSN=Sales"),
                Arguments.of("", "DSN=Sales;"),
                Arguments.of("A=1;B=2", "DSN=Sales;A=1;B=2"),
                // Separators reach the installer as the host wrote them.
                Arguments.of(";;Odd=;", "DSN=Sales;;;Odd=;"));
    }

    @ParameterizedTest
    @MethodSource("attributeStrings")
    void theInstallerReceivesDsnNameAndTheAttributesBehindOneSemicolon(String attributes, String expected) {
        assertNotNull(Zarvel.registerDataSource("Sales", "SQLite3", attributes));
        assertEquals(Collections.singletonList(ADD + expected), OdbcFiles.setupRequests());
    }

    static Stream<Arguments> nameLengths() {
        return Stream.of(
                Arguments.of(repeat("n", 32), "added"),
                Arguments.of(repeat("n", 33), "refused"),
                // Characters count, not bytes: 32 of them take 64 bytes here and
                // reach the installer, whose own 32-byte limit then refuses them.
                Arguments.of(repeat("č", 32), "installer refused"),
                Arguments.of(repeat("č", 33), "refused"));
    }

    @ParameterizedTest
    @MethodSource("nameLengths")
    void namesOver32CharactersAreRefusedBeforeTheInstaller(String name, String outcome) {
        switch (outcome) {
            case "added":
                DataSource added = Zarvel.registerDataSource(name, "SQLite3", null);
                assertNotNull(added);
                assertEquals(name, added.getName());
                break;
            case "installer refused":
                Expect.failure("Error trying to register ODBC DataSource!",
                        () -> Zarvel.registerDataSource(name, "SQLite3", null));
                break;
            default:
                Expect.failure("DataSource name too long!", () -> Zarvel.registerDataSource(name, "SQLite3", null));
                assertEquals(Collections.emptyList(), OdbcFiles.setupRequests());
                return;
        }
        assertEquals(Collections.singletonList(ADD + "DSN=" + name), OdbcFiles.setupRequests());
    }

    @Test
    void nullArgumentsAreRefusedInOrderBeforeAnything() {
        Expect.failure("DataSource name is null!", () -> Zarvel.registerDataSource(null, "SQLite3", "A=1"));
        Expect.failure("DataSource name is null!", () -> Zarvel.registerDataSource(null, null, null));
        Expect.failure("Driver name is null!", () -> Zarvel.registerDataSource("Sales", null, null));
        Expect.failure("DataSource name is null!", () -> Zarvel.unregisterDataSource(null, "SQLite3"));
        Expect.failure("DataSource name is null!", () -> Zarvel.unregisterDataSource(null, null));
        Expect.failure("Driver name is null!", () -> Zarvel.unregisterDataSource("Sales", null));
        // Even a too-long name is not looked at while the driver is missing.
        Expect.failure("Driver name is null!", () -> Zarvel.registerDataSource(repeat("n", 40), null, null));
        assertEquals(Collections.emptyList(), OdbcFiles.setupRequests());
    }

    @Test
    void installerRequestsThatFailAreReported() {
        // A driver that is not installed, and a section without a driver
        // library: neither is written in the installer's place.
        OdbcFiles.write(OdbcFiles.drivers(),
                OdbcFiles.sqliteSection("SQLite3") + "[NoLibrary]\nDescription=no Driver line\n\n");
        for (String driver : new String[] {"Uninstalled", "NoLibrary"}) {
            Expect.failure("Error trying to register ODBC DataSource!",
                    () -> Zarvel.registerDataSource("Sales", driver, null));
            Expect.failure("Error trying to remove ODBC DataSource!",
                    () -> Zarvel.unregisterDataSource("Sales", driver));
        }
        assertEquals(0, Zarvel.getDataSources().length);
        assertEquals("", OdbcFiles.read(OdbcFiles.userDataSources()));
        assertEquals(Collections.emptyList(), OdbcFiles.setupRequests());
    }

    @Test
    void attributeStringsBeyond1022BytesAreRefusedBeforeTheInstaller() {
        // "DSN=N;" takes 6 of the 1022 bytes that leave room for the two ending
        // NULs. Short pairs, since unixODBC overruns its heap on ini values
        // of 1000 bytes and more.
        StringBuilder pairs = new StringBuilder();
        for (int i = 0; pairs.length() < 1022 - 6 - 16; i++) {
            pairs.append(String.format("K%03d=vvvvvvvvvv;", i));
        }
        String fits = pairs + "Pad=" + repeat("p", 1022 - 6 - pairs.length() - 4);
        assertEquals(1022 - 6, fits.length());
        assertNotNull(Zarvel.registerDataSource("N", "SQLite3", fits));
        assertEquals(Collections.singletonList(ADD + "DSN=N;" + fits), OdbcFiles.setupRequests());

        OdbcFiles.write(OdbcFiles.setupLog(), "");
        // unixODBC overruns its heap on an ini key or value of 1000 bytes or
        // more: one such pair is refused though the whole text would fit.
        assertNotNull(Zarvel.registerDataSource("L", "SQLite3", "Long=" + repeat("v", 999)));
        OdbcFiles.write(OdbcFiles.setupLog(), "");
        for (String attributes : new String[] {fits + "d", repeat("x", 5000), repeat("ž", 600),
                "Long=" + repeat("v", 1000), repeat("k", 1000) + "=v", "A=1;Long=" + repeat("ž", 500)}) {
            Expect.failure("DataSource attributes too long!",
                    () -> Zarvel.registerDataSource("M", "SQLite3", attributes));
        }
        assertEquals(Collections.emptyList(), OdbcFiles.setupRequests());
        Expect.noSuchDataSource(Zarvel.getDataSources(), "M");
    }

    @Test
    void unregistrationRemovesTheDataSource() {
        assertNotNull(Zarvel.registerDataSource("Sales", "SQLite3", null));
        assertNotNull(Zarvel.registerDataSource("Stock", "SQLite3", null));
        assertTrue(Zarvel.unregisterDataSource("Sales", "SQLite3"));
        assertEquals(Collections.singletonList("Stock"), Expect.names(Zarvel.getDataSources()));
        assertEquals(REMOVE + "DSN=Sales", OdbcFiles.setupRequests().get(2));
    }

    @Test
    void unregistrationTrustsTheInstallerAndHasNoNameLimitOfItsOwn() {
        // The setup library reports success for a data source that is not there.
        assertTrue(Zarvel.unregisterDataSource("Never", "SQLite3"));
        String longName = repeat("L", 40);
        assertTrue(Zarvel.unregisterDataSource(longName, "SQLite3"));
        String longest = repeat("L", 1022 - 4);
        assertTrue(Zarvel.unregisterDataSource(longest, "SQLite3"));
        assertEquals(List.of(REMOVE + "DSN=Never", REMOVE + "DSN=" + longName, REMOVE + "DSN=" + longest),
                OdbcFiles.setupRequests());

        OdbcFiles.write(OdbcFiles.setupLog(), "");
        Expect.failure("DataSource name too long!", () -> Zarvel.unregisterDataSource(longest + "L", "SQLite3"));
        Expect.failure("DataSource name too long!",
                () -> Zarvel.unregisterDataSource(repeat("ř", 600), "SQLite3"));
        assertEquals(Collections.emptyList(), OdbcFiles.setupRequests());
    }

    @ParameterizedTest
    @ValueSource(strings = {"sales", "Sale", "Sales2"})
    void aDataSourceListedUnderAnotherNameIsNotFoundAndGivesNullQuietly(String listedAs) {
        // The setup library stores it under the other name; the lookup matches
        // every byte, letter case and length included.
        assertNull(Zarvel.registerDataSource("Sales", "SQLite3", "ListAs=" + listedAs));
        assertEquals(Collections.singletonList(listedAs), Expect.names(Zarvel.getDataSources()));
    }

    @Test
    void theReturnedDataSourceCarriesTheInstalledDriverOfExactlyItsDriverName() {
        // unixODBC finds the driver's setup whatever the letter case, but the
        // data source then names "sqlite3", which no installed driver matches.
        DataSource added = Zarvel.registerDataSource("Lower", "sqlite3", null);
        assertNotNull(added);
        assertEquals("Lower", added.getName());
        assertNull(added.getDriver());
        assertEquals(Collections.singletonList("1|sqlite3|DSN=Lower"), OdbcFiles.setupRequests());
    }
}

package com.vornik.zarvel.tests;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertTrue;
import static org.junit.jupiter.api.Assumptions.assumeTrue;

import com.vornik.zarvel.DataSource;
import com.vornik.zarvel.Zarvel;
import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.Collections;
import java.util.List;
import java.util.Map;
import java.util.stream.Stream;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.Arguments;
import org.junit.jupiter.params.provider.MethodSource;

/**
 * Registration with Debian's own driver entries, none of which has a usable
 * setup library: SQLite's names its driver library, which has no ConfigDSN;
 * PostgreSQL's names a file that is not installed; MariaDB's has no Setup
 * line. The data source is then written by the installer's own functions.
 */
class StockDriverTest {
    private static final String SQLITE = "SQLite3";
    private static final String POSTGRESQL = "PostgreSQL Unicode";
    private static final String MARIADB = "MariaDB Unicode";

    private static Path moduleFolder() {
        return Paths.get(OdbcFiles.sqliteDriverPath()).getParent();
    }

    /** The entries as the Debian packages register them, library names without folders. */
    static String stockDrivers() {
        return "[SQLite3]\nDescription=SQLite3 ODBC Driver\nDriver=libsqlite3odbc.so\nSetup=libsqlite3odbc.so\n\n"
                + "[PostgreSQL Unicode]\nDescription=PostgreSQL ODBC driver (Unicode version)\n"
                + "Driver=psqlodbcw.so\nSetup=libodbcpsqlS.so\n\n"
                + "[MariaDB Unicode]\nDriver=libmaodbc.so\nDescription=MariaDB Connector/ODBC(Unicode)\n\n";
    }

    @BeforeEach
    void stockIniFiles() {
        OdbcFiles.reset();
        for (String library : new String[] {"libsqlite3odbc.so", "psqlodbcw.so", "libmaodbc.so"}) {
            assumeTrue(Files.exists(moduleFolder().resolve(library)),
                    "stock driver " + library + " not installed (libsqliteodbc, odbc-postgresql, odbc-mariadb)");
        }
        OdbcFiles.write(OdbcFiles.drivers(), stockDrivers());
    }

    private static String run(String input, String... command) {
        try {
            Process process = new ProcessBuilder(command).redirectErrorStream(true).start();
            process.getOutputStream().write(input.getBytes(StandardCharsets.UTF_8));
            process.getOutputStream().close();
            String output = new String(process.getInputStream().readAllBytes(), StandardCharsets.UTF_8);
            process.waitFor();
            return output;
        } catch (IOException e) {
            throw new java.io.UncheckedIOException(e);
        } catch (InterruptedException e) {
            Thread.currentThread().interrupt();
            throw new IllegalStateException(e);
        }
    }

    /** The data sources that unixODBC's own odbcinst tool lists. */
    private static String odbcinstListing() {
        return run("", "odbcinst", "-q", "-s");
    }

    static Stream<Arguments> stockRegistrations() {
        String database = System.getProperty("corvane.work") + "/stock.db";
        return Stream.of(
                Arguments.of("StockLite", SQLITE, "Database=" + database + ";Timeout=2000",
                        Map.of("Database", database, "Timeout", "2000")),
                Arguments.of("StockPg", POSTGRESQL, "Servername=localhost;Port=5432;Database=sales",
                        Map.of("Servername", "localhost", "Port", "5432", "Database", "sales")),
                Arguments.of("StockMaria", MARIADB, "Server=localhost;Database=sales;;",
                        Map.of("Server", "localhost", "Database", "sales")));
    }

    @ParameterizedTest
    @MethodSource("stockRegistrations")
    void aStockDriverGetsItsDataSourceWrittenAndRemoved(String name, String driver, String attributes,
            Map<String, String> keys) {
        DataSource added = Zarvel.registerDataSource(name, driver, attributes);
        assertNotNull(added);
        assertEquals(name, added.getName());
        assertNotNull(added.getDriver());
        assertEquals(driver, added.getDriver().getName());

        DataSource listed = Expect.named(Zarvel.getDataSources(), name);
        assertNotNull(listed);
        assertEquals(driver, listed.getDriver().getName());
        assertTrue(odbcinstListing().contains("[" + name + "]"), odbcinstListing());
        String ini = OdbcFiles.read(OdbcFiles.userDataSources());
        assertTrue(ini.contains("[" + name + "]") && ini.contains("Driver") && ini.contains(driver), ini);
        for (Map.Entry<String, String> key : keys.entrySet()) {
            assertTrue(ini.matches("(?s).*\\n" + key.getKey() + " *= *" + key.getValue() + "\\n.*"), ini);
        }
        assertEquals("", OdbcFiles.read(OdbcFiles.systemDataSources()), "written as a user data source");
        assertEquals(Collections.emptyList(), OdbcFiles.setupRequests());

        assertTrue(Zarvel.unregisterDataSource(name, driver));
        Expect.noSuchDataSource(Zarvel.getDataSources(), name);
        assertFalse(odbcinstListing().contains("[" + name + "]"));
        assertFalse(OdbcFiles.read(OdbcFiles.userDataSources()).contains(name));
    }

    @Test
    void theRegisteredSqliteDataSourceReallyConnects() {
        String database = System.getProperty("corvane.work") + "/connect.db";
        assertNotNull(Zarvel.registerDataSource("LiteQuery", SQLITE, "Database=" + database));
        String output = run("CREATE TABLE t (n INTEGER);\nINSERT INTO t VALUES (6);\nSELECT n * 7 FROM t;\n",
                "isql", "-b", "-v", "LiteQuery");
        assertTrue(output.contains("42"), output);
        assertTrue(Files.exists(Paths.get(database)), "the driver made the database file");
        assertTrue(Zarvel.unregisterDataSource("LiteQuery", SQLITE));
        assertTrue(run("SELECT 1;\n", "isql", "-b", "-v", "LiteQuery").contains("IM002"), "no such data source after");
    }

    @Test
    void onlyTheWantOfASetupLibraryIsWrittenAround() {
        // What the ini file cannot hold as one key line fails the request
        // before anything is written: it would make other lines or sections.
        for (String attributes : new String[] {"Database=/tmp/x.db;bare", "=v", "[Evil]=x", "#k=v",
                "Database=/tmp/x.db\n[Evil]\nDriver=SQLite3", "A\r=1"}) {
            Expect.failure("Error trying to register ODBC DataSource!",
                    () -> Zarvel.registerDataSource("Bare", SQLITE, attributes));
        }
        Expect.failure("Error trying to register ODBC DataSource!",
                () -> Zarvel.registerDataSource("Line\nBreak", SQLITE, null));
        // Data source names the installer refuses stay refused.
        Expect.failure("Error trying to register ODBC DataSource!",
                () -> Zarvel.registerDataSource("Bad[Name]", SQLITE, null));
        // A driver that is not installed has nothing to write around.
        Expect.failure("Error trying to register ODBC DataSource!",
                () -> Zarvel.registerDataSource("Gone", "Uninstalled", null));
        Expect.failure("Error trying to remove ODBC DataSource!",
                () -> Zarvel.unregisterDataSource("Gone", "Uninstalled"));
        assertEquals(0, Zarvel.getDataSources().length);
        assertEquals("", OdbcFiles.read(OdbcFiles.userDataSources()).trim());
    }

    @Test
    void sectionNamesAreOneIgnoringCaseSoARegistrationReplacesItsOtherCase() {
        assertNotNull(Zarvel.registerDataSource("salespg", POSTGRESQL, "Database=old"));
        DataSource added = Zarvel.registerDataSource("SALESPG", POSTGRESQL, "Database=new");
        assertNotNull(added);
        List<String> names = Expect.names(Zarvel.getDataSources());
        assertEquals(List.of("SALESPG"), names);
        assertFalse(OdbcFiles.read(OdbcFiles.userDataSources()).contains("old"));
    }
}

package com.vornik.zarvel.tests;

import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.vornik.zarvel.DataSource;
import com.vornik.zarvel.ODBCDriver;
import com.vornik.zarvel.Zarvel;
import java.io.ByteArrayOutputStream;
import java.io.IOException;
import java.io.UncheckedIOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.Arrays;
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
 * Texts cross as standard UTF-8 in both directions, supplementary characters
 * included; bytes of the ini files that are not UTF-8 reach Java as U+FFFD.
 */
class TextTest {
    private static final String EMOJI = "Db\uD83D\uDE00";

    @BeforeEach
    void freshIniFiles() {
        OdbcFiles.reset();
    }

    private static boolean contains(byte[] haystack, byte[] needle) {
        for (int i = 0; i + needle.length <= haystack.length; i++) {
            if (Arrays.equals(Arrays.copyOfRange(haystack, i, i + needle.length), needle)) {
                return true;
            }
        }
        return false;
    }

    private static byte[] bytes(Path file) {
        try {
            return Files.readAllBytes(file);
        } catch (IOException e) {
            throw new UncheckedIOException(e);
        }
    }

    private static void writeBytes(Path file, String... parts) {
        ByteArrayOutputStream out = new ByteArrayOutputStream();
        for (String part : parts) {
            // Latin-1 parts stand for themselves byte for byte.
            out.writeBytes(part.getBytes(StandardCharsets.ISO_8859_1));
        }
        try {
            Files.write(file, out.toByteArray());
        } catch (IOException e) {
            throw new UncheckedIOException(e);
        }
    }

    static Stream<Arguments> names() {
        return Stream.of(
                // Through the driver's setup library, and through the installer's
                // own writing for Debian's SQLite entry, which has none.
                Arguments.of(EMOJI, false), Arguments.of(EMOJI, true),
                Arguments.of("Účetnictví", false), Arguments.of("Žluťoučký kůň", true),
                Arguments.of("\uD83D\uDE00\uD83C\uDF89\uD842\uDFB7", true));
    }

    @ParameterizedTest
    @MethodSource("names")
    void namesAreStoredAsUtf8AndComeBackTheSame(String name, boolean stockEntry) throws Exception {
        if (stockEntry) {
            OdbcFiles.write(OdbcFiles.drivers(), StockDriverTest.stockDrivers());
        }
        DataSource added = Zarvel.registerDataSource(name, "SQLite3", "Database=/tmp/ž.db");
        assertNotNull(added);
        assertEquals(name, added.getName());
        byte[] ini = bytes(OdbcFiles.userDataSources());
        assertTrue(contains(ini, ("[" + name + "]").getBytes(StandardCharsets.UTF_8)), new String(ini, "UTF-8"));
        assertTrue(contains(ini, "/tmp/ž.db".getBytes(StandardCharsets.UTF_8)));
        assertEquals(List.of(name), Expect.names(Zarvel.getDataSources()));
        // Another UTF-8 program reads every data source, this one included.
        Process python = new ProcessBuilder("/usr/bin/python3", "-c",
                "import pyodbc,sys; sys.stdout.buffer.write(' '.join(pyodbc.dataSources()).encode())")
                .redirectErrorStream(true).start();
        String listed = new String(python.getInputStream().readAllBytes(), StandardCharsets.UTF_8);
        assertEquals(0, python.waitFor(), listed);
        assertEquals(name, listed);
        assertTrue(Zarvel.unregisterDataSource(name, "SQLite3"));
        assertEquals(0, Zarvel.getDataSources().length);
    }

    @Test
    void theNameLimitCountsJavaCharacters() {
        // 16 supplementary characters are 32 Java characters and pass the
        // limit; their 64 bytes are then refused by the installer's own.
        String sixteen = String.join("", Collections.nCopies(16, "\uD83D\uDE00"));
        Expect.failure("Error trying to register ODBC DataSource!",
                () -> Zarvel.registerDataSource(sixteen, "SQLite3", null));
        assertEquals(1, OdbcFiles.setupRequests().size());
        Expect.failure("DataSource name too long!",
                () -> Zarvel.registerDataSource(sixteen + "x", "SQLite3", null));
        assertEquals(1, OdbcFiles.setupRequests().size());
    }

    @Test
    void utf8DriverNamesAndAttributesListAndRegister() {
        // A name no other test gives another driver: the driver manager keeps
        // each Driver key it has read for up to 20 seconds.
        OdbcFiles.write(OdbcFiles.drivers(), OdbcFiles.sqliteSection("Ovladač😀") + "[Č]\nDriver=/opt/č.so\n\n");
        DataSource added = Zarvel.registerDataSource("Účty 😀", "Ovladač😀", "Popis=Účty 😀");
        assertNotNull(added);
        assertEquals("Ovladač😀", added.getDriver().getName());
        assertEquals(List.of("1|Ovladač😀|DSN=Účty 😀;Popis=Účty 😀"), OdbcFiles.setupRequests());
        ODBCDriver[] drivers = Zarvel.getDrivers();
        assertEquals(List.of("Ovladač😀", "Č"), Expect.names(drivers));
        assertEquals(Map.of("Driver", "/opt/č.so"), drivers[1].getAttributes());
        assertEquals("Ovladač😀", Zarvel.getDataSources()[0].getDriver().getName());
    }

    @Test
    void namesWithANulCharacterAreRefusedBeforeTheInstaller() {
        Expect.failure("Error trying to register ODBC DataSource!",
                () -> Zarvel.registerDataSource("Sa\0les", "SQLite3", null));
        Expect.failure("Error trying to register ODBC DataSource!",
                () -> Zarvel.registerDataSource("Sales", "SQLite3", "A=1\0B=2"));
        Expect.failure("Error trying to remove ODBC DataSource!",
                () -> Zarvel.unregisterDataSource("Sales", "SQL\0ite3"));
        assertEquals(Collections.emptyList(), OdbcFiles.setupRequests());
    }

    @Test
    void latin1BytesReachJavaAsReplacementCharactersThroughAllFourMethods() {
        writeBytes(OdbcFiles.drivers(), OdbcFiles.sqliteSection("SQLite3"),
                "[Lat\u00EDn]\nDescription=Pr\u00FCfung\nDriver=" + OdbcFiles.sqliteDriverPath() + "\nSetup="
                        + OdbcFiles.setupLibraryPath() + "\n\n");
        writeBytes(OdbcFiles.systemDataSources(), "[Caf\u00E9]\nDriver=Lat\u00EDn\n\n");
        byte[] before = bytes(OdbcFiles.systemDataSources());

        DataSource[] listed = Zarvel.getDataSources();
        assertEquals(List.of("Caf\uFFFD"), Expect.names(listed));
        assertEquals("Lat\uFFFDn", listed[0].getDriver().getName());
        assertEquals("Pr\uFFFDfung", listed[0].getDriver().getAttributes().get("Description"));
        assertEquals(List.of("SQLite3", "Lat\uFFFDn"), Expect.names(Zarvel.getDrivers()));

        // A registration beside them, and its driver found among them.
        DataSource added = Zarvel.registerDataSource("Nový", "SQLite3", null);
        assertEquals("Nový", added.getName());
        Expect.sqliteDriver(added.getDriver());
        // U+FFFD is not the Latin-1 byte: the data source is not named so,
        // and the setup library's removal leaves the file as it was.
        assertTrue(Zarvel.unregisterDataSource("Caf\uFFFD", "SQLite3"));
        assertArrayEquals(before, bytes(OdbcFiles.systemDataSources()));
        assertEquals(List.of("Caf\uFFFD"), Expect.names(Zarvel.getDataSources()).subList(1, 2));
        assertFalse(Expect.names(Zarvel.getDataSources()).contains("Caf\u00E9"));
    }
}

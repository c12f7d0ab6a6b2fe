package com.vornik.zarvel.tests;

import java.io.IOException;
import java.io.UncheckedIOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.List;

/**
 * The private unixODBC ini files of the test run (ODBCSYSINI and ODBCINI are
 * set by the runner) and the log of the test setup library.
 */
final class OdbcFiles {
    static final String SQLITE = "SQLite3";

    private OdbcFiles() {
    }

    static Path drivers() {
        return Paths.get(System.getenv("ODBCSYSINI"), "odbcinst.ini");
    }

    static Path systemDataSources() {
        return Paths.get(System.getenv("ODBCSYSINI"), "odbc.ini");
    }

    static Path userDataSources() {
        return Paths.get(System.getenv("ODBCINI"));
    }

    static Path setupLog() {
        return Paths.get(System.getenv("CORVANE_SETUP_LOG"));
    }

    static String sqliteDriverPath() {
        return System.getProperty("corvane.sqliteDriver");
    }

    static String setupLibraryPath() {
        return System.getProperty("corvane.setup");
    }

    /** An odbcinst.ini section for the real SQLite driver with the test setup library. */
    static String sqliteSection(String name) {
        return "[" + name + "]\nDescription=SQLite3 ODBC Driver\nDriver=" + sqliteDriverPath()
                + "\nSetup=" + setupLibraryPath() + "\n\n";
    }

    /** Installed drivers: SQLite3 only; no data sources; empty setup log. */
    static void reset() {
        write(drivers(), sqliteSection(SQLITE));
        write(systemDataSources(), "");
        write(userDataSources(), "");
        write(setupLog(), "");
    }

    static void write(Path file, String text) {
        try {
            Files.write(file, text.getBytes(StandardCharsets.UTF_8));
        } catch (IOException e) {
            throw new UncheckedIOException(e);
        }
    }

    static String read(Path file) {
        try {
            return new String(Files.readAllBytes(file), StandardCharsets.UTF_8);
        } catch (IOException e) {
            throw new UncheckedIOException(e);
        }
    }

    /** One line per ConfigDSN call: "request|driver|attribute text". */
    static List<String> setupRequests() {
        try {
            return Files.readAllLines(setupLog(), StandardCharsets.UTF_8);
        } catch (IOException e) {
            throw new UncheckedIOException(e);
        }
    }
}

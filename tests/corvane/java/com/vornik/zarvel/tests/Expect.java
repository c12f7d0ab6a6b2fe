package com.vornik.zarvel.tests;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertNull;
import static org.junit.jupiter.api.Assertions.assertSame;
import static org.junit.jupiter.api.Assertions.fail;

import com.vornik.zarvel.DataSource;
import com.vornik.zarvel.ODBCDriver;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;
import java.util.function.Function;

/** Shared expectations: the library's failures and the objects it builds. */
final class Expect {
    interface NativeCall {
        Object call() throws Throwable;
    }

    private Expect() {
    }

    /** The call raises java.lang.Throwable itself (no subclass) with the message. */
    static void failure(String message, NativeCall call) {
        Object result;
        try {
            result = call.call();
        } catch (Throwable t) {
            assertSame(Throwable.class, t.getClass(), "exception class, got " + t);
            assertEquals(message, t.getMessage());
            return;
        }
        fail("expected Throwable \"" + message + "\", the call returned " + result);
    }

    static Map<String, String> sqliteAttributes() {
        return Map.of("Description", "SQLite3 ODBC Driver", "Driver", OdbcFiles.sqliteDriverPath(),
                "Setup", OdbcFiles.setupLibraryPath());
    }

    static void sqliteDriver(ODBCDriver driver) {
        assertNotNull(driver, "driver");
        assertEquals(OdbcFiles.SQLITE, driver.getName());
        assertEquals(sqliteAttributes(), driver.getAttributes());
    }

    static List<String> names(DataSource[] dataSources) {
        return names(dataSources, DataSource::getName);
    }

    static List<String> names(ODBCDriver[] drivers) {
        return names(drivers, ODBCDriver::getName);
    }

    /** The names in array order, null for an element left null. */
    private static <T> List<String> names(T[] entries, Function<T, String> name) {
        assertNotNull(entries, "array");
        List<String> names = new ArrayList<>();
        for (T entry : entries) {
            names.add(entry == null ? null : name.apply(entry));
        }
        return names;
    }

    static DataSource named(DataSource[] dataSources, String name) {
        for (DataSource dataSource : dataSources) {
            if (dataSource != null && dataSource.getName().equals(name)) {
                return dataSource;
            }
        }
        return null;
    }

    static void noSuchDataSource(DataSource[] dataSources, String name) {
        assertNull(named(dataSources, name), name + " still listed");
    }
}

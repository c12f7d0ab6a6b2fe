package com.vornik.zarvel.tests;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertSame;
import static org.junit.jupiter.api.Assertions.assertTrue;
import static org.junit.jupiter.api.Assertions.fail;

import com.vornik.zarvel.Zarvel;
import java.io.IOException;
import java.net.URL;
import java.net.URLClassLoader;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.nio.file.StandardCopyOption;
import java.util.function.Function;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Tag;
import org.junit.jupiter.api.Test;

/**
 * Hosts that lack a class or constructor the library looks up: the JVM's
 * own exception reaches the host and the call stops there (the runner fails
 * on any -Xcheck:jni warning of a JNI call made with an exception pending).
 */
class HostContractTest {
    private static final String ZARVEL = "com/vornik/zarvel/Zarvel.class";
    private static final String DATA_SOURCE = "com/vornik/zarvel/DataSource.class";
    private static final String DRIVER = "com/vornik/zarvel/ODBCDriver.class";
    private static final String CALLS = "com/vornik/zarvel/HostCalls.class!broken";

    private static int hosts;

    @BeforeEach
    void freshIniFiles() {
        OdbcFiles.reset();
        OdbcFiles.write(OdbcFiles.userDataSources(), "[Alpha]\nDriver=SQLite3\n\n");
    }

    /**
     * A class loader of its own over the given class files, with its own copy
     * of the library, since the JVM binds a native library to one loader.
     */
    @SuppressWarnings("unchecked")
    private static Function<Object[], Object> hostWith(String... classFiles)
            throws IOException, ReflectiveOperationException {
        Path host = Paths.get(System.getProperty("corvane.work"), "host" + (++hosts));
        for (String classFile : classFiles) {
            Path source = Paths.get(System.getProperty(classFile.endsWith("!broken")
                    ? "corvane.brokenClasses" : "corvane.classes"), classFile.replace("!broken", ""));
            Path target = host.resolve(classFile.replace("!broken", ""));
            Files.createDirectories(target.getParent());
            Files.copy(source, target, StandardCopyOption.REPLACE_EXISTING);
        }
        Path library = host.resolve("libcorvane.so");
        Files.copy(Paths.get(System.getProperty("corvane.libraryFile")), library);
        System.setProperty("corvane.library", library.toString());
        try {
            URLClassLoader loader = new URLClassLoader(new URL[] {host.toUri().toURL()},
                    ClassLoader.getPlatformClassLoader());
            Class<?> zarvel = Class.forName("com.vornik.zarvel.Zarvel", true, loader);
            assertTrue(zarvel != Zarvel.class);
            return (Function<Object[], Object>) Class.forName("com.vornik.zarvel.HostCalls", true, loader)
                    .getDeclaredConstructor().newInstance();
        } finally {
            System.clearProperty("corvane.library");
        }
    }

    private static Object invoke(Function<Object[], Object> zarvel, String method, Object... arguments) {
        Object[] call = new Object[arguments.length + 1];
        call[0] = method;
        System.arraycopy(arguments, 0, call, 1, arguments.length);
        return zarvel.apply(call);
    }

    private static void expectThrown(Class<? extends Throwable> expected, Function<Object[], Object> zarvel,
            String method,
            Object... arguments) {
        try {
            Object result = invoke(zarvel, method, arguments);
            fail(method + " returned " + result + " instead of raising " + expected.getSimpleName());
        } catch (Throwable t) {
            assertSame(expected, t.getClass(), method + ": " + t);
        }
    }

    @Test
    void aMissingConstructorStopsTheCallWithTheJvmsError() throws Exception {
        Function<Object[], Object> zarvel = hostWith(ZARVEL, CALLS, DATA_SOURCE, DRIVER + "!broken");
        // getDataSources looks up both classes before it lists anything.
        expectThrown(NoSuchMethodError.class, zarvel, "getDataSources");
        expectThrown(NoSuchMethodError.class, zarvel, "getDrivers");
        // The installer did add it; the lookup then fails in findDriver.
        expectThrown(NoSuchMethodError.class, zarvel, "registerDataSource", "Beta", "SQLite3", null);
        assertNotNull(Expect.named(Zarvel.getDataSources(), "Beta"));
        assertEquals(Boolean.TRUE, invoke(zarvel, "unregisterDataSource", "Beta", "SQLite3"));
        // Even a listing with no data source to give needs the driver class.
        OdbcFiles.write(OdbcFiles.userDataSources(), "");
        expectThrown(NoSuchMethodError.class, zarvel, "getDataSources");
    }

    /**
     * The host's classes and constructors are looked up before any ODBC
     * environment: with the environments failing, the JVM's error comes
     * first and no environment is asked for. Runs with the fault library.
     */
    @Test
    @Tag("faults")
    void theHostsClassesAreLookedUpBeforeAnyEnvironment() throws Exception {
        Faults.clear();
        try {
            Function<Object[], Object> noClasses = hostWith(ZARVEL, CALLS);
            Faults.inject("SQLAllocEnv", 0, 1, Faults.ERROR);
            expectThrown(NoClassDefFoundError.class, noClasses, "getDataSources");
            expectThrown(NoClassDefFoundError.class, noClasses, "getDrivers");
            assertEquals("SQLAllocEnv 0 1 -1\n", Faults.rules(), "an environment was asked for");

            // A data source listing looks up the driver's constructor too
            // before its environment.
            Function<Object[], Object> brokenDriver = hostWith(ZARVEL, CALLS, DATA_SOURCE, DRIVER + "!broken");
            expectThrown(NoSuchMethodError.class, brokenDriver, "getDataSources");
            expectThrown(NoSuchMethodError.class, brokenDriver, "getDrivers");
            assertEquals("SQLAllocEnv 0 1 -1\n", Faults.rules(), "an environment was asked for");
        } finally {
            Faults.clear();
        }
    }

    @Test
    void missingClassesStopTheCallWithTheJvmsError() throws Exception {
        Function<Object[], Object> zarvel = hostWith(ZARVEL, CALLS);
        expectThrown(NoClassDefFoundError.class, zarvel, "getDataSources");
        expectThrown(NoClassDefFoundError.class, zarvel, "getDrivers");
        expectThrown(NoClassDefFoundError.class, zarvel, "registerDataSource", "Beta", "SQLite3", "");
        assertEquals(Boolean.TRUE, invoke(zarvel, "unregisterDataSource", "Beta", "SQLite3"));
        // The library's own failures are still java.lang.Throwable itself.
        Expect.failure("DataSource name is null!", () -> invoke(zarvel, "registerDataSource", null, "x", null));
    }
}

package com.vornik.zarvel.tests;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.vornik.zarvel.DataSource;
import com.vornik.zarvel.ODBCDriver;
import com.vornik.zarvel.Zarvel;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.HashSet;
import java.util.List;
import java.util.Map;
import java.util.Queue;
import java.util.Set;
import java.util.concurrent.ConcurrentLinkedQueue;
import java.util.concurrent.atomic.AtomicBoolean;
import java.util.concurrent.atomic.AtomicLong;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;

/** Eight host threads calling all four methods at once against one set of ini files. */
class ConcurrencyTest {
    private static final int THREADS = 8;
    private static final long PHASE_MILLIS = 2000;
    // Rounds every thread runs however slow the machine, before the deadline counts.
    private static final int MIN_ROUNDS = 2;
    private static final List<String> FIXED = Arrays.asList("Fixed1", "Fixed2", "Fixed3");

    interface Round {
        void run(String thread, Queue<String> problems) throws Throwable;
    }

    @BeforeEach
    void freshIniFiles() {
        OdbcFiles.reset();
        OdbcFiles.write(OdbcFiles.drivers(),
                OdbcFiles.sqliteSection("SQLite3") + "[Plain]\nDriver=/opt/plain.so\n\n");
        StringBuilder fixed = new StringBuilder();
        for (String name : FIXED) {
            fixed.append('[').append(name).append("]\nDriver=SQLite3\n\n");
        }
        OdbcFiles.write(OdbcFiles.systemDataSources(), fixed.toString());
    }

    /** Runs the round over and over in eight threads, for a while; gives the rounds done. */
    private static long runThreads(Round round, Queue<String> problems) throws InterruptedException {
        AtomicLong rounds = new AtomicLong();
        long deadline = System.nanoTime() + PHASE_MILLIS * 1_000_000L;
        List<Thread> threads = new ArrayList<>();
        for (int i = 0; i < THREADS; i++) {
            String name = "Thread" + i;
            Thread thread = new Thread(() -> {
                for (int done = 0; (done < MIN_ROUNDS || System.nanoTime() - deadline < 0)
                        && problems.size() < 20; done++) {
                    try {
                        round.run(name, problems);
                        rounds.incrementAndGet();
                    } catch (Throwable t) {
                        problems.add(name + ": " + t);
                    }
                }
            }, name);
            threads.add(thread);
            thread.start();
        }
        for (Thread thread : threads) {
            thread.join();
        }
        return rounds.get();
    }

    private static boolean isSqlite(ODBCDriver driver) {
        return driver != null && driver.getName().equals("SQLite3")
                && driver.getAttributes().equals(Expect.sqliteAttributes());
    }

    private static boolean wellFormed(DataSource dataSource, Set<String> known) {
        String name = dataSource.getName();
        ODBCDriver driver = dataSource.getDriver();
        return known.contains(name) && (isSqlite(driver) || (driver == null && !FIXED.contains(name)));
    }

    /** An array, no element of it null, each a known data source with its driver. */
    private static void checkElements(DataSource[] listed, Set<String> known, Queue<String> problems) {
        if (listed == null) {
            problems.add("getDataSources gave null");
            return;
        }
        for (DataSource dataSource : listed) {
            if (dataSource == null || !wellFormed(dataSource, known)) {
                problems.add("listed " + dataSource + " in " + Arrays.toString(listed));
                return;
            }
        }
    }

    private static void checkDrivers(ODBCDriver[] drivers, Queue<String> problems) {
        if (drivers == null || drivers.length != 2 || !isSqlite(drivers[0]) || !drivers[1].getName().equals("Plain")
                || !drivers[1].getAttributes().equals(Map.of("Driver", "/opt/plain.so"))) {
            problems.add("getDrivers gave " + Arrays.toString(drivers));
        }
    }

    private static void expectFailure(String message, Expect.NativeCall call, Queue<String> problems) {
        try {
            problems.add("no failure but " + call.call());
        } catch (Throwable t) {
            if (t.getClass() != Throwable.class || !message.equals(t.getMessage())) {
                problems.add("expected " + message + ", got " + t);
            }
        }
    }

    @Test
    void whileTheIniFilesStayTheSameEveryThreadGetsExactlyTheSameResults() throws InterruptedException {
        Queue<String> problems = new ConcurrentLinkedQueue<>();
        long rounds = runThreads((thread, found) -> {
            DataSource[] listed = Zarvel.getDataSources();
            if (listed == null || !Expect.names(listed).equals(FIXED) || !isSqlite(listed[0].getDriver())
                    || !isSqlite(listed[1].getDriver()) || !isSqlite(listed[2].getDriver())) {
                found.add("getDataSources gave " + Arrays.toString(listed));
            }
            checkDrivers(Zarvel.getDrivers(), found);
            // Installer requests that fail, and refusals, change nothing.
            expectFailure("Error trying to register ODBC DataSource!",
                    () -> Zarvel.registerDataSource(thread, "Uninstalled", null), found);
            expectFailure("Error trying to remove ODBC DataSource!",
                    () -> Zarvel.unregisterDataSource("Fixed1", "Uninstalled"), found);
            expectFailure("DataSource name too long!",
                    () -> Zarvel.registerDataSource(thread + "-012345678901234567890123456789", "SQLite3", null), found);
        }, problems);
        assertEquals(new ArrayList<String>(), new ArrayList<>(problems));
        assertTrue(rounds >= THREADS * MIN_ROUNDS, "rounds: " + rounds);
    }

    @Test
    void whileThreadsAddAndRemoveDataSourcesEveryResultIsWellFormed() throws InterruptedException {
        Set<String> known = new HashSet<>(FIXED);
        for (int i = 0; i < THREADS; i++) {
            known.add("Thread" + i);
        }
        Queue<String> problems = new ConcurrentLinkedQueue<>();
        AtomicLong found = new AtomicLong();
        long rounds = runThreads((thread, seen) -> {
            // unixODBC rereads the ini files on every enumeration call and steps
            // through them by position, and the installer rewrites the user's
            // file in place: while other threads add and remove data sources an
            // enumeration may repeat or skip entries, or read a section whose
            // Driver line is not yet written. Every entry must still be well
            // formed, and the system data sources, whose file never changes,
            // always carry their driver.
            DataSource[] listed = Zarvel.getDataSources();
            checkElements(listed, known, seen);
            checkDrivers(Zarvel.getDrivers(), seen);
            DataSource added = Zarvel.registerDataSource(thread, "SQLite3", "Database=/tmp/" + thread + ".db");
            if (added != null) {
                found.incrementAndGet();
                if (!added.getName().equals(thread) || !wellFormed(added, known)) {
                    seen.add("registerDataSource(" + thread + ") gave " + added);
                }
            }
            if (!Zarvel.unregisterDataSource(thread, "SQLite3")) {
                seen.add("unregisterDataSource(" + thread + ") gave false");
            }
        }, problems);
        assertEquals(new ArrayList<String>(), new ArrayList<>(problems));
        assertTrue(rounds >= THREADS * MIN_ROUNDS, "rounds: " + rounds);
        System.out.println("registrations found by their lookup: " + found.get() + " of " + rounds);
        // Nothing was lost: every thread removed what it added.
        DataSource[] after = Zarvel.getDataSources();
        assertEquals(FIXED, Expect.names(after));
    }

    @Test
    void besideAWriterOfTheIniFileNoListingHasANullElement() throws Exception {
        // Another program rewrites the user's data sources over and over,
        // between none and thirty of them, while eight threads list.
        Set<String> known = new HashSet<>(FIXED);
        StringBuilder many = new StringBuilder();
        for (int i = 0; i < 30; i++) {
            known.add("Written" + i);
            many.append("[Written").append(i).append("]\nDriver=SQLite3\n\n");
        }
        AtomicBoolean writing = new AtomicBoolean(true);
        AtomicLong rewrites = new AtomicLong();
        Thread writer = new Thread(() -> {
            for (int i = 0; writing.get(); i++) {
                OdbcFiles.write(OdbcFiles.userDataSources(), i % 2 == 0 ? many.toString() : "");
                rewrites.incrementAndGet();
            }
        }, "writer");
        writer.start();
        Queue<String> problems = new ConcurrentLinkedQueue<>();
        long rounds;
        try {
            rounds = runThreads((thread, seen) -> {
                DataSource[] listed = Zarvel.getDataSources();
                checkElements(listed, known, seen);
                checkDrivers(Zarvel.getDrivers(), seen);
            }, problems);
        } finally {
            writing.set(false);
            writer.join();
        }
        assertEquals(new ArrayList<String>(), new ArrayList<>(problems));
        assertTrue(rounds >= THREADS * MIN_ROUNDS, "rounds: " + rounds);
        System.out.println("listings beside the writer: " + rounds + ", rewrites: " + rewrites.get());
    }
}

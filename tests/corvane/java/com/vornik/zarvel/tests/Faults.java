package com.vornik.zarvel.tests;

import java.nio.file.Path;
import java.nio.file.Paths;

/**
 * Rules for the preloaded fault-injection library: "<function> <skip> <times>
 * <result> [<list>]" lines in the file named by CORVANE_FAULTS.
 */
final class Faults {
    static final int SUCCESS = 0;
    static final int WITH_INFO = 1;
    static final int ERROR = -1;
    static final int INVALID_HANDLE = -2;
    static final int NO_DATA = 100;
    static final int ALWAYS = -1;

    private Faults() {
    }

    static Path file() {
        return Paths.get(System.getenv("CORVANE_FAULTS"));
    }

    /** Lets `skip` calls of the function through, then gives `result` to the next `times`. */
    static void inject(String function, int skip, int times, int result) {
        add(function + " " + skip + " " + times + " " + result);
    }

    /** SQLDrivers' attribute list replaced, "|" standing for each NUL byte. */
    static void driverList(int skip, String list) {
        secondText("SQLDrivers", skip, list);
    }

    /** SQLDataSources' description (the data source's driver) replaced. */
    static void dataSourceDriver(int skip, String driver) {
        secondText("SQLDataSources", skip, driver);
    }

    private static void secondText(String function, int skip, String text) {
        add(function + " " + skip + " 1 " + SUCCESS + " " + text);
    }

    private static void add(String rule) {
        OdbcFiles.write(file(), OdbcFiles.read(file()) + rule + "\n");
    }

    static void clear() {
        OdbcFiles.write(file(), "");
    }

    /** The rules as the library left them: "times" of 0 once a rule is used up. */
    static String rules() {
        return OdbcFiles.read(file());
    }
}

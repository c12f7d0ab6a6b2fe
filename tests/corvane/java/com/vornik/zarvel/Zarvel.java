package com.vornik.zarvel;

/** The host's entry to libcorvane: ODBC data sources and drivers. */
public final class Zarvel {
    static {
        // The host may name the library file; otherwise java.library.path has it.
        String path = System.getProperty("corvane.library");
        if (path != null) {
            System.load(path);
        } else {
            System.loadLibrary("corvane");
        }
    }

    private Zarvel() {
    }

    public static native DataSource[] getDataSources();

    public static native ODBCDriver[] getDrivers();

    public static native DataSource registerDataSource(String name, String driver, String attributes);

    public static native boolean unregisterDataSource(String name, String driver);
}

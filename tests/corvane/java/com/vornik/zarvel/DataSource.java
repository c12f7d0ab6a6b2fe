package com.vornik.zarvel;

/** An ODBC data source as the host sees it: its name and its driver, or null. */
public class DataSource {
    private final String name;
    private final ODBCDriver driver;

    public DataSource(String name, ODBCDriver driver) {
        this.name = name;
        this.driver = driver;
    }

    public String getName() {
        return name;
    }

    public ODBCDriver getDriver() {
        return driver;
    }

    @Override
    public String toString() {
        return name + " -> " + driver;
    }
}

package com.vornik.zarvel;

/** A host whose ODBCDriver lacks the (String, HashMap) constructor the library needs. */
public class ODBCDriver {
    private final String name;

    public ODBCDriver(String name) {
        this.name = name;
    }

    @Override
    public String toString() {
        return name;
    }
}

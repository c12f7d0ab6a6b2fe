package com.vornik.zarvel;

import java.util.HashMap;

/** An installed ODBC driver: its name and its attributes. */
public class ODBCDriver {
    private final String name;
    private final HashMap<String, String> attributes;

    public ODBCDriver(String name, HashMap<String, String> attributes) {
        this.name = name;
        this.attributes = attributes;
    }

    public String getName() {
        return name;
    }

    public HashMap<String, String> getAttributes() {
        return attributes;
    }

    @Override
    public String toString() {
        return name + attributes;
    }
}

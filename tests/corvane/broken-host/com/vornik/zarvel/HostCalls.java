package com.vornik.zarvel;

import java.util.function.Function;

/**
 * Calls the native methods of the Zarvel beside it by name, without
 * reflection, which would load every class that their signatures name.
 */
public class HostCalls implements Function<Object[], Object> {
    @Override
    public Object apply(Object[] call) {
        switch ((String) call[0]) {
            case "getDataSources":
                return Zarvel.getDataSources();
            case "getDrivers":
                return Zarvel.getDrivers();
            case "registerDataSource":
                return Zarvel.registerDataSource((String) call[1], (String) call[2], (String) call[3]);
            default:
                return Zarvel.unregisterDataSource((String) call[1], (String) call[2]);
        }
    }
}

package com.vornik.zarvel.tests;

import com.vornik.zarvel.DataSource;
import com.vornik.zarvel.Zarvel;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.Arrays;

/**
 * A data source that the Java host adds through corvane with the stock
 * SQLite driver is then a database alias that merivan exports from.
 * Arguments: merivan binary, SQLite database file, output file. Exits 0
 * when the export is the expected bytes, 1 otherwise.
 */
public final class RegisterThenExport {
    private RegisterThenExport() {
    }

    public static void main(String[] args) throws Exception {
        String merivan = args[0];
        String database = args[1];
        Path output = Paths.get(args[2]);

        DataSource added = Zarvel.registerDataSource("Korvana", "SQLite3", "Database=" + database);
        if (added == null || !"Korvana".equals(added.getName())) {
            fail("registerDataSource did not add Korvana: " + added);
        }
        boolean listed = Arrays.stream(Zarvel.getDataSources()).anyMatch(d -> "Korvana".equals(d.getName()));
        if (!listed) {
            fail("getDataSources does not list Korvana");
        }

        ProcessBuilder run = new ProcessBuilder(merivan, "Korvana", "adresati.db", output.toString());
        run.environment().remove("DISPLAY");
        run.redirectErrorStream(true);
        Process process = run.start();
        String said = new String(process.getInputStream().readAllBytes(), "UTF-8");
        int status = process.waitFor();
        if (status != 0) {
            fail("merivan ended with " + status + ": " + said);
        }
        byte[] expected = "Jmeno;Aktivni\r\n\"Ji\u0159\u00ed\";True\r\n".getBytes("windows-1250");
        byte[] actual = Files.readAllBytes(output);
        if (!Arrays.equals(expected, actual)) {
            fail("export differs: " + new String(actual, "windows-1250"));
        }
        System.out.println("exported through the data source corvane registered");
    }

    private static void fail(String message) {
        System.out.println("FAILED: " + message);
        System.exit(1);
    }
}

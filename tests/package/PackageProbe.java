import com.vornik.zarvel.DataSource;
import com.vornik.zarvel.ODBCDriver;
import com.vornik.zarvel.Zarvel;
import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.Paths;
import java.util.TreeMap;

/**
 * A host as an installed system has it: loads libcorvane from
 * java.library.path, lists the ODBC drivers and data sources and says which
 * file the library was mapped from.
 */
public final class PackageProbe {
    private PackageProbe() {
    }

    public static void main(String[] args) throws IOException {
        for (ODBCDriver driver : Zarvel.getDrivers()) {
            System.out.println("driver " + driver.getName() + " " + new TreeMap<>(driver.getAttributes()));
        }
        for (DataSource source : Zarvel.getDataSources()) {
            System.out.println("source " + source.getName() + " " + source.getDriver().getName());
        }
        Files.readAllLines(Paths.get("/proc/self/maps")).stream()
            .filter(line -> line.endsWith("/libcorvane.so"))
            .map(line -> "library " + line.substring(line.indexOf('/')))
            .distinct()
            .forEach(System.out::println);
    }
}

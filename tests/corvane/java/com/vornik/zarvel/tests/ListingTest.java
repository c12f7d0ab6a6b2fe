package com.vornik.zarvel.tests;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertNull;

import com.vornik.zarvel.DataSource;
import com.vornik.zarvel.ODBCDriver;
import com.vornik.zarvel.Zarvel;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.Collections;
import java.util.List;
import java.util.Map;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;

class ListingTest {
    @BeforeEach
    void freshIniFiles() {
        OdbcFiles.reset();
    }

    @Test
    void nothingConfiguredGivesEmptyArraysNotNull() {
        OdbcFiles.write(OdbcFiles.drivers(), "");
        assertEquals(0, Zarvel.getDataSources().length);
        assertEquals(0, Zarvel.getDrivers().length);
    }

    @Test
    void dataSourcesComeInDriverManagerOrderWithTheirDrivers() {
        OdbcFiles.write(OdbcFiles.userDataSources(),
                "[Alpha]\nDriver=SQLite3\n\n[Orphan]\nDriver=Uninstalled\n\n");
        OdbcFiles.write(OdbcFiles.systemDataSources(),
                "[Gamma]\nDriver=SQLite3\nDescription=system one\n\n[WrongCase]\nDriver=sqlite3\n\n"
                + "[Shorter]\nDriver=SQLite\n\n[Longer]\nDriver=SQLite3x\n\n");
        DataSource[] dataSources = Zarvel.getDataSources();
        // unixODBC lists the user's data sources before the system's.
        assertEquals(Arrays.asList("Alpha", "Orphan", "Gamma", "WrongCase", "Shorter", "Longer"),
                Expect.names(dataSources));
        Expect.sqliteDriver(dataSources[0].getDriver());
        assertNull(dataSources[1].getDriver(), "driver not installed");
        Expect.sqliteDriver(dataSources[2].getDriver());
        assertNull(dataSources[3].getDriver(), "driver names match with letter case");
        assertNull(dataSources[4].getDriver(), "a prefix of a driver name is another name");
        assertNull(dataSources[5].getDriver(), "a driver name is not a prefix of a longer one");
    }

    @Test
    void driversComeInOrderWithTheirAttributeMaps() {
        OdbcFiles.write(OdbcFiles.drivers(), OdbcFiles.sqliteSection("SQLite3")
                + "[Plain]\nDriver=/opt/plain.so\nUsageCount=2\n\n");
        ODBCDriver[] drivers = Zarvel.getDrivers();
        assertEquals(Arrays.asList("SQLite3", "Plain"), Expect.names(drivers));
        Expect.sqliteDriver(drivers[0]);
        assertEquals(Map.of("Driver", "/opt/plain.so", "UsageCount", "2"), drivers[1].getAttributes());
    }

    @Test
    void attributeListsBecomeMapsTheWayTheScanPutsThem() {
        // unixODBC hands these lines on as written ("Y" as "Y=").
        OdbcFiles.write(OdbcFiles.drivers(),
                "[Odd]\nP=Q=R\nK=\n=V\nA=1\nA=2\nY\nSpaced = x y \n\n");
        ODBCDriver[] drivers = Zarvel.getDrivers();
        assertEquals(Collections.singletonList("Odd"), Expect.names(drivers));
        assertEquals(Map.of("Q", "R", "K", "", "", "V", "A", "2", "Y", "", "Spaced", "x y"),
                drivers[0].getAttributes());
    }

    @Test
    void ofTwoDriversWithOneNameTheFirstIsUsed() {
        OdbcFiles.write(OdbcFiles.drivers(),
                "[Twin]\nDriver=/opt/first.so\n\n[Twin]\nDriver=/opt/second.so\n\n");
        OdbcFiles.write(OdbcFiles.userDataSources(), "[One]\nDriver=Twin\n\n[Two]\nDriver=Twin\n\n");
        assertEquals(Arrays.asList("Twin", "Twin"), Expect.names(Zarvel.getDrivers()));
        for (DataSource dataSource : Zarvel.getDataSources()) {
            assertEquals("Twin", dataSource.getDriver().getName());
            assertEquals(Collections.singletonMap("Driver", "/opt/first.so"),
                    dataSource.getDriver().getAttributes());
        }
    }

    @Test
    void longListingsStayWithinTheLocalReferenceCapacity() {
        // Hundreds of elements, each with strings and maps: the runner fails
        // on any -Xcheck:jni warning about local references.
        StringBuilder drivers = new StringBuilder();
        List<String> driverNames = new ArrayList<>();
        for (int i = 0; i < 150; i++) {
            String name = String.format("D%03d", i);
            driverNames.add(name);
            drivers.append('[').append(name).append("]\nDriver=/opt/").append(name)
                    .append(".so\nSetup=/opt/setup.so\nUsageCount=1\n\n");
        }
        OdbcFiles.write(OdbcFiles.drivers(), drivers.toString());
        StringBuilder dataSources = new StringBuilder();
        List<String> dataSourceNames = new ArrayList<>();
        for (int i = 0; i < 400; i++) {
            String name = String.format("S%03d", i);
            dataSourceNames.add(name);
            dataSources.append('[').append(name).append("]\nDriver=D000\n\n");
        }
        OdbcFiles.write(OdbcFiles.userDataSources(), dataSources.toString());

        ODBCDriver[] listedDrivers = Zarvel.getDrivers();
        assertEquals(driverNames, Expect.names(listedDrivers));
        assertEquals(3, listedDrivers[149].getAttributes().size());
        DataSource[] listed = Zarvel.getDataSources();
        assertEquals(dataSourceNames, Expect.names(listed));
        for (DataSource dataSource : listed) {
            assertNotNull(dataSource.getDriver());
            assertEquals("D000", dataSource.getDriver().getName());
        }
    }
}
